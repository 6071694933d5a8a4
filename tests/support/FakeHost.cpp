#include "tests/support/FakeHost.h"

#include <algorithm>
#include <cstring>

namespace test {

namespace {

FakeHost* g_host = nullptr;

size_t Columns(int32_t first, int32_t last) {
    return last >= first ? static_cast<size_t>(last - first + 1) : 0;
}

int32_t ReadColour(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t minusOne) {
    FakeHost::Calls().push_back({false, true, row, first, last, minusOne, 0});
    std::memcpy(buffer, &g_host->colour[(static_cast<size_t>(row) * g_host->info.width + first) * 3],
                Columns(first, last) * 3);
    return 1;
}

int32_t ReadAlpha(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t minusOne, int32_t one) {
    FakeHost::Calls().push_back({false, false, row, first, last, minusOne, one});
    std::memcpy(buffer, &g_host->alpha[static_cast<size_t>(row) * g_host->info.width + first], Columns(first, last));
    return 1;
}

int32_t WriteColour(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t minusOne) {
    FakeHost::Calls().push_back({true, true, row, first, last, minusOne, 0});
    std::memcpy(&g_host->colour[(static_cast<size_t>(row) * g_host->info.width + first) * 3], buffer,
                Columns(first, last) * 3);
    return 1;
}

int32_t WriteAlpha(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t minusOne, int32_t one) {
    FakeHost::Calls().push_back({true, false, row, first, last, minusOne, one});
    std::memcpy(&g_host->alpha[static_cast<size_t>(row) * g_host->info.width + first], buffer, Columns(first, last));
    return 1;
}

}  // namespace

FakeHost::FakeHost(int32_t width, int32_t height)
    : info{width, height, 24},
      read{ReadColour, ReadAlpha},
      write{WriteColour, WriteAlpha},
      colour(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0) * 3),
      alpha(static_cast<size_t>(std::max(width, 0)) * std::max(height, 0)) {
    g_host = this;
    Calls().clear();
}

FakeHost::~FakeHost() {
    // Leave the program pointing at a harmless empty image, never at this one.
    static const HostImageInfo empty = {0, 0, 24};
    static const HostRowAccess none = {ReadColour, ReadAlpha};
    app::AcceptHostImage(&empty, &none, &none, "");
    g_host = nullptr;
}

void FakeHost::Accept() {
    app::AcceptHostImage(&info, &write, &read, "");
}

std::vector<FakeHost::Call>& FakeHost::Calls() {
    static std::vector<Call> calls;
    return calls;
}

}  // namespace test
