// libCommFunc.so: host actions that a mouse button can ask for. 0xBC is one horizontal wheel
// step to the right, 0xBD one to the left.
extern "C" int DrvInHorizontalWheel(int steps);

extern "C" {

__attribute__((visibility("default"))) int UniFunc(int code) {
    if (code == 0xBC) return DrvInHorizontalWheel(1);
    if (code == 0xBD) return DrvInHorizontalWheel(-1);
    return 0;
}

__attribute__((visibility("default"))) int UniFunc2(int, int) {
    return 0;
}

}  // extern "C"
