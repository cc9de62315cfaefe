# The colour model's sources, named once: core/CMakeLists.txt builds the
# library from them and fuzz/CMakeLists.txt builds them again with coverage
# feedback. Header-only files need no entry.
set(TINTWELL_CORE_SOURCES
    channel_inputs.cpp
    channel_state.cpp
    color_formats.cpp
    color_name.cpp
    color_notation.cpp
    color_sample.cpp
    color_spaces.cpp
    contrast.cpp
    named_colors.cpp
    numeric_text.cpp
    position_text.cpp
    recent_colors.cpp
    run_time_error.cpp
    still_layout.cpp
    web_safe_mode.cpp
)
list(TRANSFORM TINTWELL_CORE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
