// The window-operations contract, kept by the in-memory window tree that stands in for the
// client in the unit tests.
#include "tests/contract/window_ops_contract.h"

#include "tests/support/fake_window_tree.h"

namespace quillow::testing {
namespace {

class InMemoryWindows final : public contract::ContractWindows {
public:
    WindowOps& Ops() override { return tree_; }
    WindowHandle Create(WindowHandle parent, std::string_view className,
                        std::optional<std::string_view> title) override {
        return tree_.Add(parent, std::string(className), title.value_or(""));
    }
    void Destroy(WindowHandle window) override { tree_.Remove(window); }
    bool MakeUnresponsive(WindowHandle window) override {
        tree_.Hang(window);
        return true;
    }
    std::chrono::milliseconds ReplyTimeout() const override { return {}; }
    std::vector<contract::SeenMessage> ReceivedBy(WindowHandle window) override {
        std::vector<contract::SeenMessage> seen;
        for (const ReceivedMessage& m : tree_.Received()) {
            if (window == 0 || m.window == window)
                seen.push_back({m.message, m.wParam, m.lParam, m.bytes});
        }
        return seen;
    }

private:
    FakeWindowTree tree_;
};

}  // namespace
}  // namespace quillow::testing

namespace quillow::contract {
INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, WindowOpsContract, testing::InMemoryWindows);
}  // namespace quillow::contract
