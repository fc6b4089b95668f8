# The Windows build: one static tinsori.exe that needs no DLL beyond Windows' own, so it runs
# when copied anywhere (and under wine without a mingw runtime in the prefix).
set(TINSORI_GUI OFF)
set(THREADS_PREFER_PTHREAD_FLAG ON)
find_package(Threads REQUIRED)
add_link_options(-static -static-libgcc -static-libstdc++)
# Wide-character Windows APIs, and nothing older than Windows 7 (GetTickCount64, MMCSS).
# mingw's g++ 12 warns of overlapping copies inside std::string's own appends when they are
# inlined (GCC bug 105651, a false alarm fixed in 13): keep the build's warnings about our code.
add_compile_options(-Wno-restrict)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# The window's icon, pictures and help pages are resources of tinsori.exe.
enable_language(RC)
