// The window-operations contract, kept by the real windowing services: Win32WindowOps against
// windows that this program makes itself.
#include <windows.h>

#include "tests/contract/window_ops_contract.h"
#include "tests/windows/recording_windows.h"

namespace quillow::contract {
namespace {

// The texts the program hands to the client are converted to the ANSI code page; the expected
// bytes in the cases are those of Windows-1252, the code page of an English Windows. (Not a
// fatal assertion: that would skip the cases, and a skipped case does not fail the run.)
class Windows1252CodePage : public ::testing::Environment {
public:
    void SetUp() override {
        EXPECT_EQ(GetACP(), 1252u) << "the ANSI code page is not Windows-1252: run under the "
                                      "test rig, whose locale selects it";
    }
};

[[maybe_unused]] ::testing::Environment* const kCodePage =
    ::testing::AddGlobalTestEnvironment(new Windows1252CodePage);

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowOpsContract, windows_test::RecordingWindows);

}  // namespace quillow::contract
