// Runs two functions at the same time on two threads. The MinGW toolchains use the win32 thread
// model, which has no std::thread, so Windows builds use CreateThread.
#pragma once

#include <functional>

#if defined(_WIN32)
#include <windows.h>
#else
#include <thread>
#endif

#if defined(_WIN32)
inline DWORD WINAPI runTask(void* task) {
    (*static_cast<std::function<void()>*>(task))();
    return 0;
}
#endif

inline void runConcurrently(std::function<void()> first, std::function<void()> second) {
#if defined(_WIN32)
    HANDLE threads[2] = {CreateThread(nullptr, 0, runTask, &first, 0, nullptr),
                         CreateThread(nullptr, 0, runTask, &second, 0, nullptr)};
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    CloseHandle(threads[0]);
    CloseHandle(threads[1]);
#else
    std::thread other(std::move(second));
    first();
    other.join();
#endif
}
