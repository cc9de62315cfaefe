# Tests of everything built on Qt: the platform code, the window offscreen,
# and the real binary, its install and its package.

add_executable(platform_tests
    platform/display_platform_test.cpp
    platform/position_text_test.cpp
    platform/x11_pixel_format_test.cpp
)
target_link_libraries(platform_tests PRIVATE platform GTest::gtest_main tintwell_warnings)
gtest_discover_tests(platform_tests NO_PRETTY_VALUES)

# Widget tests drive the real window on Qt's offscreen platform, each with a
# settings folder of its own so none reads or writes the user's.
function(tintwell_qt_test name)
    add_executable(${name} ${ARGN})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ui Qt6::Test tintwell_qt tintwell_warnings)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-home")
endfunction()

tintwell_qt_test(frm_main_test ui/frm_main_test.cpp)
tintwell_qt_test(color_commands_test ui/color_commands_test.cpp)
tintwell_qt_test(settings_store_test platform/settings_store_test.cpp)
tintwell_qt_test(error_report_test ui/error_report_test.cpp)

# The portal pickers against a fake portal, on a bus the tests start
# themselves so that no real portal can be activated in the fake's place.
add_library(fake_portal STATIC support/fake_portal.cpp)
set_target_properties(fake_portal PROPERTIES AUTOMOC ON)
target_include_directories(fake_portal PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(fake_portal PUBLIC Qt6::DBus Qt6::Test PRIVATE tintwell_qt tintwell_warnings)
target_compile_definitions(fake_portal PRIVATE
    TINTWELL_PRIVATE_BUS_CONF="${CMAKE_CURRENT_SOURCE_DIR}/wayland/private-bus.conf")
foreach(picker portal_screen_picker still_screen_picker screen_picker_chain)
    tintwell_qt_test(${picker}_test platform/${picker}_test.cpp)
    target_link_libraries(${picker}_test PRIVATE fake_portal)
endforeach()
tintwell_qt_test(portal_global_shortcut_test platform/portal_global_shortcut_test.cpp)
target_link_libraries(portal_global_shortcut_test PRIVATE fake_portal)

add_test(NAME no_display_test
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/no_display_test.sh $<TARGET_FILE:tintwell>)

foreach(check install package)
    add_test(NAME ${check}_test
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package/${check}_test.sh
                     ${PROJECT_BINARY_DIR} ${TINTWELL_APP_ID} ${PROJECT_VERSION})
endforeach()

# End-to-end on a real X server with a window manager, which
# scripts/with-desktop provides; skipped where there is no display. They
# share the one desktop, so they run one at a time.
function(tintwell_desktop_test name script)
    add_test(NAME ${name} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop/${script} ${ARGN})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "TINTWELL=$<TARGET_FILE:tintwell>" SKIP_RETURN_CODE 77 RESOURCE_LOCK desktop)
endfunction()

foreach(case first_run moved_and_reopened five_cycles_do_not_drift top_left_corner
             partly_off_screen not_a_number wholly_off_screen minimised_when_closed
             unwritable_store)
    tintwell_desktop_test(placement_${case} placement_test.sh ${case})
endforeach()
tintwell_desktop_test(always_on_top always_on_top_test.sh)
foreach(case TERM HUP INT display_lost)
    tintwell_desktop_test(session_end_${case} session_end_test.sh ${case})
endforeach()
tintwell_desktop_test(hostile_settings hostile_settings_test.sh)
tintwell_desktop_test(desktop_entry_test desktop_entry_test.sh
                      ${PROJECT_BINARY_DIR}/data/${TINTWELL_APP_ID}.desktop)

# Picking from the screen reads a chart whose every pixel names its own
# position, drawn by a plain xcb client so Qt's scaling cannot touch it.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
add_executable(pixel_chart support/pixel_chart.cpp)
target_link_libraries(pixel_chart PRIVATE PkgConfig::XCB tintwell_warnings)

function(tintwell_pick_test name script)
    tintwell_desktop_test(${name} ${script} ${ARGN})
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "PIXEL_CHART=$<TARGET_FILE:pixel_chart>")
endfunction()

foreach(case click cancel_by_escape cancel_by_right_click keyboard scale_2x keyboard_scale_2x
             close_while_picking)
    tintwell_pick_test(pick_${case} pick_test.sh ${case})
endforeach()
# Zoom and mean over a checkerboard.
tintwell_pick_test(magnifier magnifier_test.sh)
# Xvfb has one monitor; these bring up an Xorg of their own with two.
foreach(case secondary primary_moved mixed_1x mixed_2x)
    tintwell_pick_test(pick_two_monitors_${case} with-two-monitors
                       ${CMAKE_CURRENT_SOURCE_DIR}/desktop/pick_test.sh two_monitors_${case})
endforeach()


# Picking through the real xdg-desktop-portal on a headless weston, natively
# and on XWayland. Each run starts and stops its own compositor, buses and
# portal; the lock keeps it from taking an X display number another test is
# about to use.
foreach(platform wayland xcb)
    foreach(reply colour cancel malformed no_portal no_screenshot bad_still shortcut)
        add_test(NAME portal_pick_${platform}_${reply}
                 COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/wayland/portal_pick_test.sh ${platform} ${reply})
        set_tests_properties(portal_pick_${platform}_${reply} PROPERTIES
            ENVIRONMENT "TINTWELL=$<TARGET_FILE:tintwell>" SKIP_RETURN_CODE 77 RESOURCE_LOCK desktop)
    endforeach()
endforeach()

# Picking at each depth Xvfb offers, each on an Xvfb of that depth of its
# own: swatches of chosen pixel values, read back with xwd.
add_executable(pixel_swatches support/pixel_swatches.cpp)
target_link_libraries(pixel_swatches PRIVATE PkgConfig::XCB tintwell_warnings)
foreach(depth 16 24 30)
    tintwell_desktop_test(pick_depth_${depth} with-depth ${depth}
                          ${CMAKE_CURRENT_SOURCE_DIR}/desktop/depth_pick_test.sh ${depth})
    set_property(TEST pick_depth_${depth} APPEND PROPERTY ENVIRONMENT
                 "PIXEL_SWATCHES=$<TARGET_FILE:pixel_swatches>")
endforeach()

# Picking while another program holds the pointer.
add_executable(pointer_holder support/pointer_holder.cpp)
target_link_libraries(pointer_holder PRIVATE PkgConfig::XCB tintwell_warnings)
foreach(case busy_grab_released busy_grab_held)
    tintwell_pick_test(${case} busy_grab_test.sh ${case})
    set_property(TEST ${case} APPEND PROPERTY ENVIRONMENT "POINTER_HOLDER=$<TARGET_FILE:pointer_holder>")
endforeach()

# Picking on a real wlroots desktop, with its own portal.
add_subdirectory(sway)
