# The Braille alphabet: data/braille/alfabeto.txt made at build time into the
# constexpr tables braille/braille_alphabet.h includes, made again whenever the
# file changes. A malformed line stops the build, naming the line. The library
# is header-only and depends on nothing; the tables are generated before
# anything that links it is compiled.
set(alphabet_file "${CMAKE_SOURCE_DIR}/data/braille/alfabeto.txt")
set(alphabet_generated "${CMAKE_BINARY_DIR}/generated")
set(alphabet_tables "${alphabet_generated}/braille/braille_alphabet_tables.h")
set(alphabet_tool "${CMAKE_SOURCE_DIR}/tools/braille_alphabet")

relevix_library(relevix_braille_alphabet_reader "${alphabet_tool}/alphabet_file.cpp")
target_link_libraries(relevix_braille_alphabet_reader PUBLIC relevix_text_encoding)
add_executable(relevix_make_braille_alphabet "${alphabet_tool}/make_braille_alphabet.cpp")
target_compile_options(relevix_make_braille_alphabet PRIVATE -Wall -Wextra)
target_link_libraries(relevix_make_braille_alphabet PRIVATE relevix_braille_alphabet_reader)

add_custom_command(
  OUTPUT "${alphabet_tables}"
  COMMAND "${CMAKE_COMMAND}" -E env ASAN_OPTIONS=detect_leaks=0
          "$<TARGET_FILE:relevix_make_braille_alphabet>" "${alphabet_file}" "${alphabet_tables}"
  DEPENDS relevix_make_braille_alphabet "${alphabet_file}"
  COMMENT "Making the Braille alphabet's tables from data/braille/alfabeto.txt"
  VERBATIM)
add_custom_target(relevix_braille_alphabet_tables DEPENDS "${alphabet_tables}")

add_library(relevix_braille_alphabet INTERFACE)
target_include_directories(relevix_braille_alphabet INTERFACE "${CMAKE_SOURCE_DIR}" "${alphabet_generated}")
add_dependencies(relevix_braille_alphabet relevix_braille_alphabet_tables)

if(BUILD_TESTING)
  add_executable(relevix_braille_alphabet_tests "${alphabet_tool}/alphabet_file_test.cpp")
  target_compile_options(relevix_braille_alphabet_tests PRIVATE -Wall -Wextra)
  target_link_libraries(relevix_braille_alphabet_tests PRIVATE relevix_braille_alphabet_reader GTest::gtest_main)
  target_compile_definitions(relevix_braille_alphabet_tests PRIVATE RELEVIX_ALPHABET_FILE="${alphabet_file}")
  gtest_discover_tests(relevix_braille_alphabet_tests DISCOVERY_TIMEOUT 60)
endif()
