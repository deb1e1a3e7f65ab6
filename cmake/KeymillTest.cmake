# keymill_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [LABELS l ...])
# One Qt Test executable, registered with CTest, run headless.
function(keymill_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT T_LABELS)
        message(FATAL_ERROR "${T_NAME}: every test carries a label (unit, gui, e2e, a11y, package)")
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KEYMILL_BUILD_DIR=${CMAKE_BINARY_DIR}"
        LABELS "${T_LABELS}"
        TIMEOUT 300)
endfunction()
