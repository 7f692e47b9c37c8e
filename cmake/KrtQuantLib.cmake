# QuantLib, the independent reference the valuation routines are checked and measured against
# (test and benchmark programs only). Debian's libquantlib0-dev ships neither a CMake package
# nor a pkg-config file, so it is found by hand.
if(NOT TARGET QuantLib::QuantLib)
  find_library(QUANTLIB_LIBRARY QuantLib REQUIRED)
  find_path(QUANTLIB_INCLUDE_DIR ql/quantlib.hpp REQUIRED)
  add_library(QuantLib::QuantLib UNKNOWN IMPORTED)
  set_target_properties(QuantLib::QuantLib PROPERTIES IMPORTED_LOCATION ${QUANTLIB_LIBRARY}
                                                      INTERFACE_INCLUDE_DIRECTORIES ${QUANTLIB_INCLUDE_DIR})
endif()
