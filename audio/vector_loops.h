#pragma once

// Marks a loop-heavy function to be compiled twice, for AVX2 and for any x86-64, the processor
// choosing at load time. The choice is made by an ifunc resolver that runs before
// ThreadSanitizer's runtime is up, so a ThreadSanitizer build keeps the one plain version.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TANDREL_THREAD_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define TANDREL_THREAD_SANITIZER 1
#endif

#if defined(__x86_64__) && !defined(TANDREL_THREAD_SANITIZER)
#define VECTOR_LOOPS [[gnu::target_clones("avx2", "default")]]
#else
#define VECTOR_LOOPS
#endif
