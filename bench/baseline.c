/* The baseline for the benchmark: a bare PlaySound behind a global hotkey,
 * so that its key reaches it by the same road as the clock's. F9 plays the
 * first argument, F8 the second; the process idles in GetMessage otherwise. */
#include <stdio.h>
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

int main(int argc, char** argv) {
    MSG msg;
    if (argc != 3) {
        fprintf(stderr, "usage: baseline FIRST.wav WHOLE.wav\n");
        return 2;
    }
    if (!RegisterHotKey(NULL, 1, 0, VK_F9) || !RegisterHotKey(NULL, 2, 0, VK_F8)) {
        fprintf(stderr, "baseline: cannot register F9 and F8 (%lu)\n", GetLastError());
        return 1;
    }
    printf("ready\n");
    fflush(stdout);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (msg.message == WM_HOTKEY && (msg.wParam == 1 || msg.wParam == 2)) {
            if (!PlaySoundA(argv[msg.wParam], NULL, SND_FILENAME | SND_ASYNC | SND_NODEFAULT))
                fprintf(stderr, "baseline: PlaySound failed\n");
        }
    }
    return 0;
}
