# Tests of everything built on Qt: the platform code, the window offscreen,
# and the real binary, its install and its package.

add_executable(platform_tests
    platform/display_platform_test.cpp
    platform/position_text_test.cpp
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
tintwell_qt_test(settings_store_test platform/settings_store_test.cpp)
tintwell_qt_test(error_report_test ui/error_report_test.cpp)

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
tintwell_desktop_test(hostile_settings hostile_settings_test.sh)
tintwell_desktop_test(desktop_entry_test desktop_entry_test.sh
                      ${PROJECT_BINARY_DIR}/data/${TINTWELL_APP_ID}.desktop)
