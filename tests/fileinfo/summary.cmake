# Document summaries: property sets assembled by the tests, compound files written with the
# container library and made with msitools, read back by olefile; the rows and the command.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SUMMARY_GSF REQUIRED IMPORTED_TARGET libgsf-1)

veskor_add_gtest(fileinfo_summary_tests
  SOURCES FileInfoRowsTest.cpp SummaryFileTest.cpp SummaryStreamTest.cpp
  LIBS fileinfo_core platform_linux test_support PkgConfig::SUMMARY_GSF)

# The window and the drop target, off screen.
veskor_add_qtest(fileinfo.FileInfoWindow SOURCES FileInfoWindowTest.cpp
  LIBS fileinfo_widgets platform_linux test_support PkgConfig::SUMMARY_GSF)
