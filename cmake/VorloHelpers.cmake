# vorlo_add_test(NAME <name> SOURCES <files...> LIBRARIES <libs...> LABELS <labels...> [WIDGETS])
#
# One executable per test file, registered with CTest. Plain-logic tests link GoogleTest's main;
# WIDGETS tests run in-process on Qt's offscreen platform with a fixed 1366x768 screen and no
# fake frame margins, so geometry checks compare what the window layer set.
function(vorlo_add_test)
    cmake_parse_arguments(ARG "WIDGETS" "NAME" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock)
    if(NOT ARG_WIDGETS)
        target_link_libraries(${ARG_NAME} PRIVATE GTest::gtest_main)
    endif()
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 300)
    if("unit" IN_LIST ARG_LABELS)
        add_dependencies(unit-tests ${ARG_NAME})
    endif()
    if(ARG_WIDGETS)
        set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen:configfile=${PROJECT_SOURCE_DIR}/tests/ui/offscreen-1366x768.json")
    endif()
endfunction()
