/* A program the import check must refuse: GetTickCount64 came with Windows Vista. */
__declspec(dllimport) unsigned long long __stdcall GetTickCount64(void);

int main(void) {
    return (int)(GetTickCount64() & 1);
}
