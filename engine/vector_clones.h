#pragma once
// Pixel loops whose bytes move in wide vector lanes (three-byte pixels spread to four,
// channels shuffled) run several times faster with AVX2 than with the baseline x86-64
// instructions. Such a loop is compiled twice and the loader picks the version the
// processor can run. The loops are integer work, so both versions give the same bytes.
// Sanitizer and fuzzing builds, other compilers and other processors get the one plain
// version; so the sanitizer test run checks the plain versions, the normal one the AVX2 ones.

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define LUMETRA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LUMETRA_VECTOR_CLONES
#endif
