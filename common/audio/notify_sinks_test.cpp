#include "common/audio/notify_sinks.h"

#include <gtest/gtest.h>

namespace {

// Sinks that report their destruction, so the last Release can be seen deleting them.
template <class Sink>
class Watched : public Sink {
public:
    explicit Watched(bool& deleted) : deleted_(deleted) {}

protected:
    ~Watched() override { deleted_ = true; }

private:
    bool& deleted_;
};

template <class Sink>
struct SinkTraits;
template <>
struct SinkTraits<EndpointVolumeSink> {
    using Interface = IAudioEndpointVolumeCallback;
    using Other = IControlChangeNotify;
};
template <>
struct SinkTraits<ControlChangeSink> {
    using Interface = IControlChangeNotify;
    using Other = IAudioEndpointVolumeCallback;
};

template <class Sink>
class NotifySinkTest : public ::testing::Test {};
using Sinks = ::testing::Types<EndpointVolumeSink, ControlChangeSink>;
TYPED_TEST_SUITE(NotifySinkTest, Sinks);

TYPED_TEST(NotifySinkTest, CountsReferencesAndDeletesItselfAtZero) {
    using Interface = typename SinkTraits<TypeParam>::Interface;
    bool deleted = false;
    Interface* sink = new Watched<TypeParam>(deleted);  // count 1

    void* asOwn = nullptr;
    ASSERT_EQ(sink->QueryInterface(__uuidof(Interface), &asOwn), S_OK);
    EXPECT_EQ(asOwn, static_cast<void*>(sink));
    void* asUnknown = nullptr;
    ASSERT_EQ(sink->QueryInterface(__uuidof(IUnknown), &asUnknown), S_OK);
    EXPECT_EQ(asUnknown, static_cast<void*>(sink));

    void* asOther = &deleted;
    EXPECT_EQ(sink->QueryInterface(__uuidof(typename SinkTraits<TypeParam>::Other), &asOther), E_NOINTERFACE);
    EXPECT_EQ(asOther, nullptr);

    // 1 + two answered queries, + 1.
    EXPECT_EQ(sink->AddRef(), 4u);
    EXPECT_EQ(sink->Release(), 3u);
    EXPECT_EQ(sink->Release(), 2u);
    EXPECT_EQ(sink->Release(), 1u);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(sink->Release(), 0u);
    EXPECT_TRUE(deleted);
}

TEST(NotifySinkTest, OnNotifyOnlyChecksItsPointer) {
    auto* callback = new EndpointVolumeSink;
    AUDIO_VOLUME_NOTIFICATION_DATA data{};
    EXPECT_EQ(callback->OnNotify(&data), S_OK);
    EXPECT_EQ(callback->OnNotify(nullptr), E_INVALIDARG);
    callback->Release();

    auto* notify = new ControlChangeSink;
    const GUID context = GUID_NULL;
    EXPECT_EQ(notify->OnNotify(42, &context), S_OK);
    EXPECT_EQ(notify->OnNotify(42, nullptr), E_INVALIDARG);
    notify->Release();
}

}  // namespace
