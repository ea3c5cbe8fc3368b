# House-style targets over the project's own sources:
#   format-check  clang-format --dry-run --Werror (fails on any difference)
#   format        clang-format -i
#   tidy          clang-tidy with the root .clang-tidy, on the compile database of this build
file(GLOB_RECURSE LIRAVA_STYLE_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/engine/*.cpp ${PROJECT_SOURCE_DIR}/engine/*.h
  ${PROJECT_SOURCE_DIR}/gui/*.cpp ${PROJECT_SOURCE_DIR}/gui/*.h
  ${PROJECT_SOURCE_DIR}/app/*.cpp ${PROJECT_SOURCE_DIR}/app/*.h
  ${PROJECT_SOURCE_DIR}/tools/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.h
  ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
  ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h)

find_program(CLANG_FORMAT NAMES clang-format clang-format-14 clang-format-15 clang-format-16)
if(CLANG_FORMAT)
  add_custom_target(format-check
    COMMAND ${CLANG_FORMAT} --dry-run --Werror ${LIRAVA_STYLE_SOURCES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Checking the house style with clang-format"
    VERBATIM)
  add_custom_target(format
    COMMAND ${CLANG_FORMAT} -i ${LIRAVA_STYLE_SOURCES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Formatting with clang-format"
    VERBATIM)
else()
  add_custom_target(format-check COMMAND ${CMAKE_COMMAND} -E echo "clang-format not found (apt-get install clang-format)" COMMAND false)
endif()

find_program(CLANG_TIDY NAMES clang-tidy clang-tidy-14 clang-tidy-15 clang-tidy-16)
if(CLANG_TIDY)
  set(LIRAVA_TIDY_SOURCES ${LIRAVA_STYLE_SOURCES})
  list(FILTER LIRAVA_TIDY_SOURCES INCLUDE REGEX "\\.cpp$")
  add_custom_target(tidy
    COMMAND ${CLANG_TIDY} -p ${CMAKE_BINARY_DIR} --quiet ${LIRAVA_TIDY_SOURCES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Checking with clang-tidy"
    VERBATIM)
else()
  add_custom_target(tidy COMMAND ${CMAKE_COMMAND} -E echo "clang-tidy not found (apt-get install clang-tidy)" COMMAND false)
endif()
