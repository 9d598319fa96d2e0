// large_blocks.h - how the program's memory allocator treats large blocks.
#pragma once

/**
 * Makes every large block (128 KiB and more) come from the system on its own and go back to it when
 * freed. A window that holds one large answer after another then hands each answer's memory back
 * when the next search replaces it, instead of keeping it in pieces too scattered to reuse. Does
 * nothing where the allocator already works so.
 */
void ReturnLargeBlocksToSystem();
