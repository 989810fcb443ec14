# Version resources: images assembled by the tests, the mapping of files, and real executables.
add_executable(fileinfo_version_tests VersionResourceTest.cpp VersionFileTest.cpp)
target_link_libraries(fileinfo_version_tests PRIVATE fileinfo_core platform_linux
  GTest::gtest_main veskor_warnings)
gtest_discover_tests(fileinfo_version_tests TEST_PREFIX "fileinfo.")
