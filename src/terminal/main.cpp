// krt-terminal: loads the trading tools component and lists what it offers.

#include <dlfcn.h>

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("krt-terminal: host services are not built yet\n");
    return 0;
}
