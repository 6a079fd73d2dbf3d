#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/Event.h"

namespace {

TEST(Event, ASecondHandlerFailsAndTheFirstStaysWired) {
    ui::Event<int> changed{"Change"};
    int seen = 0;
    changed.connect([&](int v) { seen = v; });
    EXPECT_THROW(changed.connect([&](int) { seen = -1; }), std::logic_error);
    changed.raise(7);
    EXPECT_EQ(seen, 7);
}

// A handler whose statements run through step(): a runtime error is skipped,
// anything else ends the handler and is reported where events are dispatched.
TEST(Event, StepSkipsRuntimeErrorsOnlyOthersReachTheDispatchReport) {
    ui::Event<> click{"Click"};
    std::vector<std::string> ran;
    bool outOfMemory = false;
    click.connect([&] {
        ui::step([] { throw ui::RuntimeError(ui::kTypeMismatch); });
        ran.push_back("after a runtime error");
        ui::step([&] {
            if (outOfMemory) throw std::bad_alloc();
        });
        ran.push_back("after the allocation");
    });

    testing::internal::CaptureStderr();
    click.raise();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(ran, (std::vector<std::string>{"after a runtime error", "after the allocation"}));

    ran.clear();
    outOfMemory = true;
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(click.raise());
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("error in Click"), std::string::npos) << report;
    EXPECT_NE(report.find("bad_alloc"), std::string::npos) << report;
    EXPECT_EQ(ran, (std::vector<std::string>{"after a runtime error"}));
}

struct Button {
    ui::Event<> Click{"Click"};
};
struct Owner {
    std::vector<std::string> ran;
    void First_Click() { ran.push_back("First"); }
    void Second_Click() { ran.push_back("Second"); }
};

TEST(Event, ConnectEachWiresEverySourceToItsOwnHandlerOnce) {
    Owner owner;
    Button first, second;
    ui::connectEach(owner, &Button::Click,
                    {{&first, &Owner::First_Click}, {&second, &Owner::Second_Click}});
    second.Click.raise();
    first.Click.raise();
    EXPECT_EQ(owner.ran, (std::vector<std::string>{"Second", "First"}));
    EXPECT_THROW(ui::connectEach(owner, &Button::Click, {{&first, &Owner::Second_Click}}),
                 std::logic_error);
}

TEST(Event, StepLetsAProgrammingFaultThrough) {
    EXPECT_THROW(ui::step([] { throw std::out_of_range("index"); }), std::out_of_range);
    EXPECT_NO_THROW(ui::step([] { throw ui::RuntimeError(ui::kSubscriptOutOfRange); }));
}

}  // namespace
