# One static library per source folder; the sources are found by glob so that
# adding a file needs no edit here.  A folder without sources yet becomes an
# interface library, so dependants link against it all the same.  EXCLUDE is a
# regular expression for files that are no part of the library.
function(plenk_library name)
    cmake_parse_arguments(ARG "" "EXCLUDE" "DIRS;DEPS" ${ARGN})
    set(sources "")
    foreach(dir IN LISTS ARG_DIRS)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS
            "${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp"
            "${PROJECT_SOURCE_DIR}/src/${dir}/*.h")
        list(APPEND sources ${found})
    endforeach()
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    if(ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
    endif()
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}/src")
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# One test executable per test folder, registered with CTest.
function(plenk_test name dir)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/${dir}/*.cpp")
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources} "${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp")
    target_link_libraries(${name} PRIVATE plenk_test_support ${ARG_DEPS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PLENK_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
        TIMEOUT 600)
endfunction()
