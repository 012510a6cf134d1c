#include "common/audio/endpoint_step.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/testing/fake_core_audio.h"

namespace audio {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr GUID kContext = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};

TEST(EndpointStepTest, TargetStepArithmetic) {
    EXPECT_EQ(EndpointTargetStep(0, 50), 0u);  // no steps: nothing to wrap below zero
    EXPECT_EQ(EndpointTargetStep(1, 100), 0u);
    EXPECT_EQ(EndpointTargetStep(11, 100), 10u);
    EXPECT_EQ(EndpointTargetStep(11, 55), 5u);
    EXPECT_EQ(EndpointTargetStep(51, 33), 16u);
    EXPECT_EQ(EndpointTargetStep(11, 101), 10u);
    EXPECT_EQ(EndpointTargetStep(11, 4000000000u), 10u);
    EXPECT_EQ(EndpointTargetStep(0xFFFFFFFFu, 100), 0xFFFFFFFEu);
    EXPECT_EQ(EndpointTargetStep(0xFFFFFFFFu, 50), 0x7FFFFFFFu);
}

std::vector<std::string> Expected(int ups, int downs, const char* mute) {
    std::vector<std::string> log = {"render register", std::string("render mute ") + mute};
    for (int i = 0; i < ups; ++i) log.push_back("render up");
    for (int i = 0; i < downs; ++i) log.push_back("render down");
    log.push_back("render unregister");
    return log;
}

TEST(EndpointStepTest, StepsOneAtATimeToTheTargetAndAlwaysSetsTheMute) {
    struct Case {
        UINT from;
        unsigned level;
        bool mute;
        int ups;
        int downs;
        UINT to;
    };
    const Case cases[] = {
        {3, 100, true, 7, 0, 10},  // up to step n - 1
        {3, 0, false, 0, 3, 0},    // down to step 0
        {3, 30, true, 0, 0, 3},    // already there: no step, mute still set
        {0, 55, false, 5, 0, 5},
        {10, 101, false, 0, 0, 10},  // levels above 100 count as 100
    };
    for (const Case& c : cases) {
        fake::World world(L"", 0, 11, c.from);
        const HRESULT hr = StepEndpointVolume(&world.render, c.level, c.mute, kContext);
        SCOPED_TRACE(testing::Message() << "from " << c.from << " level " << c.level);
        EXPECT_EQ(hr, S_OK);
        EXPECT_THAT(world.log, ElementsAreArray(Expected(c.ups, c.downs, c.mute ? "1" : "0")));
        EXPECT_EQ(world.render.volume.step, c.to);
        EXPECT_EQ(world.render.volume.muted, c.mute ? TRUE : FALSE);
        EXPECT_TRUE(IsEqualGUID(world.render.volume.muteContext, kContext));
        EXPECT_EQ(world.render.volume.registered, nullptr);
        EXPECT_THAT(world.Unbalanced(), IsEmpty());
    }
}

TEST(EndpointStepTest, StopsAtTheFirstFailedStepAndStillUnregisters) {
    fake::World world(L"", 0, 21, 2);
    world.render.volume.failStep = 2;  // the third step fails
    EXPECT_EQ(StepEndpointVolume(&world.render, 100, false, kContext), E_FAIL);
    EXPECT_THAT(world.log, ElementsAreArray({"render register", "render mute 0", "render up", "render up",
                                             "render up", "render unregister"}));
    EXPECT_EQ(world.render.volume.step, 4u);
    EXPECT_EQ(world.render.volume.registered, nullptr);
    EXPECT_THAT(world.Unbalanced(), IsEmpty());
}

TEST(EndpointStepTest, WithoutStepInformationNothingIsSet) {
    fake::World world(L"", 0, 11, 5);
    world.render.volume.stepInfoResult = E_NOTIMPL;
    EXPECT_EQ(StepEndpointVolume(&world.render, 0, true, kContext), E_NOTIMPL);
    EXPECT_THAT(world.log, ElementsAreArray({"render register", "render unregister"}));
    EXPECT_THAT(world.Unbalanced(), IsEmpty());

    fake::World empty(L"", 0, 0, 0);  // an endpoint without steps still takes the mute
    EXPECT_EQ(StepEndpointVolume(&empty.render, 100, true, kContext), S_OK);
    EXPECT_THAT(empty.log, ElementsAreArray(Expected(0, 0, "1")));
    EXPECT_EQ(StepEndpointVolume(nullptr, 100, true, kContext), E_POINTER);
}

TEST(EndpointStepTest, DefaultEndpointGetsAFreshEventContextPerCall) {
    fake::World world(L"", 0, 11, 0);
    ASSERT_EQ(StepDefaultEndpointVolume(eRender, 55, true, &world.enumerator), S_OK);
    const GUID first = world.render.volume.muteContext;
    EXPECT_EQ(world.log.front(), "default render");
    EXPECT_EQ(world.render.volume.step, 5u);
    ASSERT_EQ(StepDefaultEndpointVolume(eRender, 0, false, &world.enumerator), S_OK);
    const GUID second = world.render.volume.muteContext;
    EXPECT_FALSE(IsEqualGUID(first, GUID_NULL));
    EXPECT_FALSE(IsEqualGUID(first, second));
    EXPECT_EQ(world.render.volume.step, 0u);
    EXPECT_THAT(world.Unbalanced(), IsEmpty());

    world.enumerator.defaultResult = E_NOTFOUND;
    EXPECT_EQ(StepDefaultEndpointVolume(eCapture, 50, false, &world.enumerator), E_NOTFOUND);
    EXPECT_THAT(world.Unbalanced(), IsEmpty());
}

}  // namespace
}  // namespace audio
