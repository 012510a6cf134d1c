#include "simulated_driver.h"

#include <gtest/gtest.h>

#include <cstring>

namespace sonorel {
namespace {

class SimulatedDriverTest : public ::testing::Test {
protected:
    // One raw request on the effects device, as the transport would send it.
    bool Send(uint32_t id, uint32_t flags, void* data, uint32_t size,
              uint32_t code = kPropertyRequestCode, GUID set = kEffectsPropertySet) {
        uint32_t error = 0;
        auto device = driver.Open(SimulatedDriver::kEffectsPath, error);
        if (!device) return false;
        const PropertyRequest header{set, id, flags};
        return device->Control(code, &header, sizeof header, data, size);
    }
    bool WriteItem(uint32_t id, uint32_t selector, int32_t value) {
        PropertyItem item{selector, value};
        return Send(id, kRequestSet, &item, sizeof item);
    }
    bool ReadItem(uint32_t id, uint32_t item, int32_t& value) {
        PropertyItem data{kReadSelection | item, 0};
        if (!Send(id, kRequestSet, &data, sizeof data)) return false;
        if (!Send(id, kRequestGet, &data, sizeof data)) return false;
        value = data.value;
        return true;
    }

    SimulatedDriver driver;
};

TEST_F(SimulatedDriverTest, KeepsItemsPerPropertyAndMasksByteRegisters) {
    ASSERT_TRUE(WriteItem(kPropertyEqualiser, 3, -367001));
    ASSERT_TRUE(WriteItem(kPropertyKaraoke, 3, 0x1FF));        // byte register
    ASSERT_TRUE(WriteItem(kPropertyMicrophone, 3, 0x1FF));     // word register
    int32_t value = 0;
    ASSERT_TRUE(ReadItem(kPropertyEqualiser, 3, value));
    EXPECT_EQ(value, -367001);
    ASSERT_TRUE(ReadItem(kPropertyKaraoke, 3, value));
    EXPECT_EQ(value, 0xFF);
    ASSERT_TRUE(ReadItem(kPropertyMicrophone, 3, value));
    EXPECT_EQ(value, 0x1FF);
    EXPECT_EQ(driver.Item(kPropertyEqualiser, 4), 0);
}

TEST_F(SimulatedDriverTest, RefusesMalformedRequests) {
    PropertyItem data{kReadSelection | 0, 0};
    EXPECT_FALSE(Send(kPropertyKaraoke, kRequestGet, &data, sizeof data));  // nothing selected
    EXPECT_FALSE(WriteItem(kPropertyEqualiser, 11, 1));                     // no such item
    EXPECT_FALSE(WriteItem(kPropertyMicrophone, kReadSelection | 6, 0));
    EXPECT_FALSE(WriteItem(7, 0, 1));                                       // no such property
    EXPECT_FALSE(Send(kPropertyEqualiser, kRequestSet, &data, sizeof data, 0x2F0007));
    EXPECT_FALSE(Send(kPropertyEqualiser, kRequestSet, &data, sizeof data, kPropertyRequestCode,
                      kVendorPropertySet));
    EXPECT_FALSE(Send(kPropertyEqualiser, 3, &data, sizeof data));
    EXPECT_FALSE(Send(kPropertyEqualiser, kRequestSet, &data, 4));
}

TEST_F(SimulatedDriverTest, AnswersProbeAndEnvironmentWhole) {
    unsigned char probe[kProbeSize];
    std::memset(probe, 0xCC, sizeof probe);
    EXPECT_TRUE(Send(kPropertyProbe, kRequestGet, probe, sizeof probe));
    EXPECT_EQ(probe[11], 0);
    EXPECT_FALSE(Send(kPropertyProbe, kRequestGet, probe, 8));

    EnvironmentSettings env{7, 42};
    ASSERT_TRUE(Send(kPropertyEnvironment, kRequestSet, &env, sizeof env));
    EnvironmentSettings back{};
    ASSERT_TRUE(Send(kPropertyEnvironment, kRequestGet, &back, sizeof back));
    EXPECT_EQ(back.mode, 7);
    EXPECT_EQ(back.roomSize, 42);
    EXPECT_FALSE(Send(kPropertyEnvironment, kRequestGet, &back, 4));
}

TEST_F(SimulatedDriverTest, LogsRequestBytesAsReceived) {
    ASSERT_TRUE(WriteItem(kPropertyMicrophone, 4, 0x01020304));
    int32_t value = 0;
    ASSERT_TRUE(ReadItem(kPropertyMicrophone, 4, value));
    ASSERT_EQ(driver.Requests().size(), 3u);
    const auto& get = driver.Requests()[2];
    EXPECT_EQ(get.Header().flags, kRequestGet);
    EXPECT_EQ(get.Item().selector, kReadSelection | 4);  // what the caller sent, not the answer
    EXPECT_EQ(get.input.size(), sizeof(PropertyRequest));
    EXPECT_TRUE(get.answered);
}

TEST_F(SimulatedDriverTest, RefusesOnRequestUnplugsAndDisappears) {
    driver.Refuse(kPropertyEqualiser, kRequestSet, 2);
    EXPECT_TRUE(WriteItem(kPropertyEqualiser, 1, 5));
    EXPECT_FALSE(WriteItem(kPropertyEqualiser, 2, 5));
    EXPECT_FALSE(driver.Requests().back().answered);

    driver.Unplug();
    uint32_t error = 0;
    EXPECT_EQ(driver.Open(SimulatedDriver::kEffectsPath, error), nullptr);
    EXPECT_EQ(error, static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));

    auto listed = driver.Enumerate(kTopologyInterfaceClass);
    ASSERT_NE(listed, nullptr);
    LocalBuffer record;
    EXPECT_TRUE(listed->Detail(0, record));
    EXPECT_STREQ(PathOfRecord(record.get(), record.size()), SimulatedDriver::kEffectsPath);
    EXPECT_FALSE(listed->Detail(1, record));

    driver.RefuseEnumeration(true);
    EXPECT_EQ(driver.Enumerate(kTopologyInterfaceClass), nullptr);
}

}  // namespace
}  // namespace sonorel
