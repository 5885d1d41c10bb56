# `cpack` builds velmoka_<version>_<arch>.deb from the install rules. The library
# dependencies come from dpkg-shlibdeps; the rest are what the programs load at run time:
# Qt's platform plugins to open a window, the faces its design names ("Arial" and a script
# face) or their stand-ins, and the python3 and numpy of the Python module.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmoka)
set(CPACK_PACKAGE_VENDOR "Velmoka Circuits")
set(CPACK_PACKAGE_CONTACT "${VELMOKA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMOKA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for microstrip transmission lines")
# Lines of at most 80 characters, as package managers show them on a terminal.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Works out microstrip lines on one window: the impedance and effective
dielectric constant of a strip, the strip width for a wanted impedance, and the
lumped pi and T networks equivalent to a line section.
The command-line tool velmoka-cli runs the same four commands from a shell or a
script, sweeps any value over a range, reads one run per line of a CSV file,
and writes its results as text, CSV or JSON. The Python module velmoka gives
the calculator, its commands over numpy arrays and the line model to Python.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-kaushanscript")
# The Python module is built for one minor version of python3, and works on numpy's arrays.
if(Python3_FOUND)
    math(EXPR next_python_minor "${Python3_VERSION_MINOR} + 1")
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}~)"
        ", python3 (<< ${Python3_VERSION_MAJOR}.${next_python_minor}), python3-numpy")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
