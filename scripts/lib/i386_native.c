/* Exits with 0 when this machine's kernel runs 32-bit x86 code, by trying it: a 64-bit process
 * far-jumps into the 32-bit user code segment (selector 0x23) and from there straight back to
 * the 64-bit one (0x33), which exits. A kernel without 32-bit support has no usable 32-bit
 * segment, and the first jump faults: the process dies of SIGSEGV.
 *
 * An i386 program's start proves nothing here: an emulator registered with binfmt_misc makes
 * that work too. Built and run by scripts/lib/wine32.sh with the host's C compiler. */
#include <stdint.h>
#include <string.h>
#include <sys/mman.h>

int main(void) {
    /* Code and data the 32-bit side reaches must lie below 4 GiB. */
    uint8_t* page = mmap(NULL, 4096, PROT_READ | PROT_WRITE | PROT_EXEC,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    if (page == MAP_FAILED) return 2;
    const uint32_t base = (uint32_t)(uintptr_t)page;
    const uint32_t farPointer = base + 16, back = base + 32;

    /* 32-bit code at base: jmp far [farPointer], using no stack. */
    page[0] = 0xFF;
    page[1] = 0x2D;
    memcpy(page + 2, &farPointer, 4);
    /* The far pointer: offset `back` in the 64-bit code segment. */
    memcpy(page + 16, &back, 4);
    page[20] = 0x33;
    page[21] = 0x00;
    /* 64-bit code at back: exit_group(0). */
    static const uint8_t exitCode[] = {0xB8, 0xE7, 0x00, 0x00, 0x00, /* mov eax, 231 */
                                       0x31, 0xFF,                   /* xor edi, edi */
                                       0x0F, 0x05};                  /* syscall */
    memcpy(page + 32, exitCode, sizeof exitCode);

    /* A far return pops the new instruction pointer, then the code segment. */
    __asm__ volatile("pushq $0x23\n\tpushq %0\n\tlretq" : : "r"((uint64_t)base) : "memory");
    return 3; /* not reached */
}
