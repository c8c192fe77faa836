# The display layer asks the X server for its modes through XRandR.
target_link_libraries(kestrel_platform PUBLIC X11 Xrandr)
# Intro videos and menu sounds play through Qt Multimedia (only in the running
# program; tests use null devices).
find_package(Qt6 6.4 REQUIRED COMPONENTS Multimedia MultimediaWidgets)
target_link_libraries(kestrel_ui PUBLIC Qt6::Multimedia Qt6::MultimediaWidgets)
# Custom games: FTP and HTTP downloads through libcurl, archives through libzip.
find_package(PkgConfig REQUIRED)
pkg_check_modules(KESTREL_CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(KESTREL_ZIP REQUIRED IMPORTED_TARGET libzip)
target_link_libraries(kestrel_mods PUBLIC PkgConfig::KESTREL_CURL PkgConfig::KESTREL_ZIP)
# The voice input level of the player profile is the capture control of ALSA's mixer.
find_package(ALSA REQUIRED)
target_link_libraries(kestrel_config PUBLIC ALSA::ALSA)
