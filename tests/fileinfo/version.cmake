# Version resources: images assembled by the tests, the mapping of files, and real executables.
veskor_add_gtest(fileinfo_version_tests SOURCES VersionResourceTest.cpp VersionFileTest.cpp
  LIBS fileinfo_core platform_linux)
