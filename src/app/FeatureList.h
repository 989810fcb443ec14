// The program's features, one line each: a feature is its folder of src/, whose <name>_widgets
// library defines `Feature <name>Feature()`. Their order is that of --help's commands and of the
// side panels in the bar's menu. CMake reads this list to link the libraries.
VESKOR_FEATURE(namedays)
VESKOR_FEATURE(alarms)
VESKOR_FEATURE(calendar)
VESKOR_FEATURE(sysinfo)
VESKOR_FEATURE(scope)
VESKOR_FEATURE(fileinfo)
VESKOR_FEATURE(calc)
VESKOR_FEATURE(session)
