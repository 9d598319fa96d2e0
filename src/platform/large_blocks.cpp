// large_blocks.cpp - ReturnLargeBlocksToSystem: the GNU allocator's large-block threshold fixed.
#include "platform/large_blocks.h"

#include <cstdlib>  // names the C library, which the test below asks for

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void ReturnLargeBlocksToSystem()
{
#if defined(__GLIBC__)
    // The allocator's own starting threshold, kept: left alone, it rises after every large block
    // freed, and later large blocks are then carved from the heap, where they stay once freed.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
