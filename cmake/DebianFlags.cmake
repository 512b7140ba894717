# Debian's hardening flags (fortify, stack protector, format checks, read-only relocations and
# immediate binding) from dpkg-buildflags, for the optimised builds that become the programs
# people run. Left out: -g and -O2 (the build type decides those), the file prefix map (it
# would make each checkout's objects differ), and the sanitizer, fuzzing and Debug builds,
# where fortification needs optimisation or gets in the sanitizers' way.
option(TABULIST_HARDENING "Build with Debian's hardening flags from dpkg-buildflags" ON)
find_program(TABULIST_DPKG_BUILDFLAGS dpkg-buildflags)
if(TABULIST_HARDENING AND TABULIST_DPKG_BUILDFLAGS AND NOT TABULIST_SANITIZE
   AND NOT TABULIST_FUZZ AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${TABULIST_DPKG_BUILDFLAGS} --get ${kind}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags EXCLUDE REGEX "^(-g|-O[0-9s]?|-ffile-prefix-map=.*)$")
        if(kind STREQUAL "LDFLAGS")
            add_link_options(${flags})
        else()
            add_compile_options(${flags})
        endif()
    endforeach()
    # What later dpkg-buildflags add with hardening=+all: stack clash and control-flow
    # protection. The program is marked for the latter only once the C library's start files
    # are (on Debian 12 they are not, so hardening-check's control-flow line fails for every
    # program there, dpkg itself included).
    add_compile_options(-fstack-clash-protection -fcf-protection)
endif()
