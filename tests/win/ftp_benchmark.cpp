// Downloads one file from an FTP server through CFTPManip and prints the seconds it took.
//   ftp_benchmark PORT REMOTE LOCAL
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "win32/FTPManip.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: ftp_benchmark PORT REMOTE LOCAL\n");
        return 2;
    }
    CFTPManip ftp;
    if (!ftp.Connect("127.0.0.1", "anonymous", "bench@example.com", static_cast<INTERNET_PORT>(std::atoi(argv[1]))))
        return 1;
    std::atomic<int> abort{0};
    auto start = std::chrono::steady_clock::now();
    BOOL ok = ftp.DownloadFile(argv[2], argv[3], &abort);
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%u %.3f\n", ftp.m_dwTransferred.load(), took.count());
    return ok ? 0 : 1;
}
