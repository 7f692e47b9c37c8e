// A library that loads but offers no volatility entry point.

extern "C" __attribute__((visibility("default"))) double C_CalcSomethingElse(double x) {
    return x;
}
