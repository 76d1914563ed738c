// Stand-ins for the SDK plugins in the binding tests. Every call is appended, one line each, to
// the file named by MD_FAKE_SDK_LOG. Build variants: FAKE_DRVIN (the 37 entry points, minus
// FAKE_OMIT_MOUSEWHEEL's "MouseWheel"; "Init" answers FAKE_INIT_RESULT) or FAKE_COMMFUNC.
#include <cstdio>
#include <cstdlib>

namespace {
void logCall(const char* name, int arg) {
    const char* path = std::getenv("MD_FAKE_SDK_LOG");
    if (!path) return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s %d\n", name, arg);
        std::fclose(f);
    }
}
}  // namespace

#define EXPORT extern "C" __attribute__((visibility("default")))

#ifdef FAKE_DRVIN
EXPORT int Init(int code) {
    logCall("Init", code);
    return FAKE_INIT_RESULT;
}
#define FAKE_ENTRY(name)     \
    EXPORT int name(int a) { \
        logCall(#name, a);   \
        return 1;            \
    }
FAKE_ENTRY(End)
FAKE_ENTRY(KeyPress) FAKE_ENTRY(KeyDown) FAKE_ENTRY(KeyUp) FAKE_ENTRY(LeftClick)
    FAKE_ENTRY(RightClick) FAKE_ENTRY(MiddleClick) FAKE_ENTRY(LeftDoubleClick) FAKE_ENTRY(LeftDown)
        FAKE_ENTRY(LeftUp) FAKE_ENTRY(RightDown) FAKE_ENTRY(RightUp) FAKE_ENTRY(MiddleDown)
            FAKE_ENTRY(MiddleUp) FAKE_ENTRY(Button4Down) FAKE_ENTRY(Button4Up)
                FAKE_ENTRY(Button5Down) FAKE_ENTRY(Button5Up) FAKE_ENTRY(MoveTo) FAKE_ENTRY(MoveR)
#ifndef FAKE_OMIT_MOUSEWHEEL
                    FAKE_ENTRY(MouseWheel)
#endif
                        FAKE_ENTRY(RMoveR) FAKE_ENTRY(KbdVirtualKeySingle)
                            FAKE_ENTRY(KbdVirtualKeyAsync) FAKE_ENTRY(KbdVirtualKeySync)
                                FAKE_ENTRY(KbdAkeysSingle) FAKE_ENTRY(KbdAkeysAsync)
                                    FAKE_ENTRY(KbdAkeysSync) FAKE_ENTRY(KbdAkeysSeq)
                                        FAKE_ENTRY(KbdWinMakeCodeSingle)
                                            FAKE_ENTRY(KbdWinMakeCodeAsync)
                                                FAKE_ENTRY(KbdWinMakeCodeSync)
                                                    FAKE_ENTRY(KbdSetDelayTime)
                                                        FAKE_ENTRY(MouAction)
                                                            FAKE_ENTRY(MouSetDelayTime)
                                                                FAKE_ENTRY(BackInKbClearStatus)
#endif

#ifdef FAKE_COMMFUNC
                                                                    EXPORT int UniFunc(int code) {
    logCall("UniFunc", code);
    return 1;
}
EXPORT int UniFunc2(int code) {
    logCall("UniFunc2", code);
    return 1;
}
#endif
