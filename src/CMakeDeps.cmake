# The display layer asks the X server for its modes through XRandR.
target_link_libraries(kestrelcore PUBLIC X11 Xrandr)
