# The favorite-line fuzz target (TINSORI_FUZZ, clang's libFuzzer) and, in every build, a test
# that replays its corpus through the same entry point.
set(TINSORI_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})

add_executable(fuzz_favorite_line_replay
    ${TINSORI_FUZZ_DIR}/FavoriteLineFuzz.cpp ${TINSORI_FUZZ_DIR}/ReplayCorpus.cpp)
target_link_libraries(fuzz_favorite_line_replay PRIVATE tinsori_settings)
target_include_directories(fuzz_favorite_line_replay PRIVATE ${TINSORI_FUZZ_DIR}/..)
add_test(NAME fuzz_favorite_line_corpus
    COMMAND fuzz_favorite_line_replay ${TINSORI_FUZZ_DIR}/corpus)

if(TINSORI_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "TINSORI_FUZZ needs clang (CC=clang CXX=clang++)")
    endif()
    set(TINSORI_FUZZ_SANITIZERS address,undefined)
    # The layers below are instrumented too, so the fuzzer sees coverage of the code under test.
    foreach(layer tinsori_platform tinsori_model tinsori_store tinsori_midi tinsori_music
            tinsori_engine tinsori_settings)
        target_compile_options(${layer} PRIVATE -fsanitize=fuzzer-no-link,${TINSORI_FUZZ_SANITIZERS}
            -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${layer} INTERFACE -fsanitize=${TINSORI_FUZZ_SANITIZERS})
    endforeach()

    add_executable(fuzz_favorite_line ${TINSORI_FUZZ_DIR}/FavoriteLineFuzz.cpp)
    target_compile_options(fuzz_favorite_line PRIVATE -fsanitize=fuzzer,${TINSORI_FUZZ_SANITIZERS}
        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(fuzz_favorite_line PRIVATE -fsanitize=fuzzer,${TINSORI_FUZZ_SANITIZERS})
    target_link_libraries(fuzz_favorite_line PRIVATE tinsori_settings)
    # libFuzzer refuses a corpus folder that does not exist.
    file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/fuzz-corpus)
endif()
