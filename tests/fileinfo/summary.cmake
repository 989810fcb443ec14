# Document summaries: property sets assembled by the tests, compound files written with the
# container library and made with msitools, read back by olefile; the rows and the command.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SUMMARY_GSF REQUIRED IMPORTED_TARGET libgsf-1)

add_executable(fileinfo_summary_tests
  FileInfoRowsTest.cpp
  SummaryFileTest.cpp
  SummaryStreamTest.cpp
)
target_link_libraries(fileinfo_summary_tests PRIVATE fileinfo_core platform_linux test_support
  PkgConfig::SUMMARY_GSF GTest::gtest_main veskor_warnings)
gtest_discover_tests(fileinfo_summary_tests TEST_PREFIX "fileinfo." PROPERTIES
  ENVIRONMENT "LC_ALL=C")

# The window and the drop target, off screen.
add_executable(fileinfo_FileInfoWindow_tests FileInfoWindowTest.cpp)
target_link_libraries(fileinfo_FileInfoWindow_tests PRIVATE fileinfo_widgets platform_linux
  test_support PkgConfig::SUMMARY_GSF Qt6::Test veskor_warnings)
add_test(NAME fileinfo.FileInfoWindow COMMAND fileinfo_FileInfoWindow_tests)
set_tests_properties(fileinfo.FileInfoWindow PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C")
