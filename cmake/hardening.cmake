# Debian's hardening for the code that ships, as the interface target
# tintwell_hardening: the flags dpkg-buildflags gives with
# hardening=+all on the system that builds, so each release gets what its
# own packages get (Debian 13 asks for stack clash and control-flow
# protection, which Debian 12 does not). Optimisation, debugging and path
# mapping stay the build type's. Without dpkg-buildflags the target is empty.
option(TINTWELL_HARDENING "Build with the hardening flags of the system's dpkg-buildflags" OFF)
add_library(tintwell_hardening INTERFACE)
if(NOT TINTWELL_HARDENING)
    return()
endif()

find_program(TINTWELL_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT TINTWELL_DPKG_BUILDFLAGS)
    message(WARNING "dpkg-buildflags not found: building without Debian's hardening flags")
    return()
endif()

function(tintwell_buildflags kind out)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${TINTWELL_DPKG_BUILDFLAGS} --get ${kind}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O.*|ffile-prefix-map=.*|fdebug-prefix-map=.*)$")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

tintwell_buildflags(CPPFLAGS cppflags)
tintwell_buildflags(CXXFLAGS cxxflags)
tintwell_buildflags(LDFLAGS ldflags)
target_compile_options(tintwell_hardening INTERFACE ${cppflags} ${cxxflags})
target_link_options(tintwell_hardening INTERFACE ${ldflags})
list(JOIN cppflags " " cppflags)
list(JOIN cxxflags " " cxxflags)
list(JOIN ldflags " " ldflags)
message(STATUS "Hardened with dpkg-buildflags: ${cppflags} ${cxxflags} ${ldflags}")
