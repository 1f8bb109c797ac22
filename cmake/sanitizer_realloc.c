/* realloc with amortized growth for the AddressSanitizer builds only.
 *
 * The sanitizer's realloc always moves a block, even when it grows by a few
 * bytes. libcups grows its table of constraints one entry at a time while it
 * reads a printer description, so reading the system's own description
 * (thousands of constraints) copies about a gigabyte and takes seconds
 * instead of milliseconds; every test that builds a panel paid that twice.
 * Here a block that must grow is given half as much again as it needs, and
 * a block that already has room is kept. The slack of a grown block counts
 * as allocated for the sanitizer, so a read or write into it is not
 * reported; the libraries that use realloc are not instrumented anyway, and
 * our own code does not call it. Linked into every executable of a sanitizer
 * build, never into the product. */
#include <sanitizer/allocator_interface.h>
#include <stdlib.h>
#include <string.h>

/* The sanitizer runtime's own realloc, for blocks it did not hand out. */
void* __interceptor_realloc(void* block, size_t size);

void* realloc(void* block, size_t size) {
  if (block == NULL) return malloc(size);
  if (size == 0 || !__sanitizer_get_ownership(block)) return __interceptor_realloc(block, size);
  const size_t held = __sanitizer_get_allocated_size(block);
  if (size <= held) return block;
  const size_t grown = held + held / 2 > size ? held + held / 2 : size;
  void* moved = malloc(grown);
  if (moved == NULL) return NULL;
  memcpy(moved, block, held);
  free(block);
  return moved;
}
