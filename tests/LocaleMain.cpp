// The tests run in the user's locale, as the program does: Qt adopts it at
// start-up. Run them once more under a comma-decimal locale to catch any
// conversion that reads it.

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
        // MinGW's C++ library knows the "C" locale only.
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
