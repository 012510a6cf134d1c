#include "transport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "simulated_driver.h"
#include "trace.h"

namespace sonorel {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> g_traces;
void Listen(const char* text, const char* detail) {
    g_traces.push_back(std::string(text) + (detail ? std::string("|") + detail : ""));
}

class TransportTest : public ::testing::Test {
protected:
    TransportTest() : installed(driver) {
        g_traces.clear();
        InstallTraceHook(&Listen);
    }
    ~TransportTest() override { InstallTraceHook(nullptr); }

    static SimulatedDriver::Port Silent(const std::string& path) { return {path, true, false}; }
    static SimulatedDriver::Port Effects(const std::string& path) { return {path, true, true}; }

    // A handle made the way the search makes one.
    EffectsHandle HandleFor(uint32_t kind) {
        EXPECT_TRUE(FindDriver(kEffectsPropertySet, record));
        driver.ClearRequests();
        return EffectsHandle{record.get(), kind};
    }

    SimulatedDriver driver;
    ScopedTransport installed;
    LocalBuffer record;
};

TEST_F(TransportTest, FirstDeviceAnsweringTheProbeWins) {
    SimulatedDriver::Port locked = Effects("locked");
    locked.opens = false;
    driver.SetPorts({Silent("speakers"), locked, Effects("effects"), Effects("later")});

    ASSERT_TRUE(FindDriver(kEffectsPropertySet, record));
    EXPECT_STREQ(PathOfRecord(record.get(), record.size()), "effects");
    EXPECT_EQ(record.size(), kPathOffset + std::strlen("effects") + 1);
    DWORD cbSize = 0;
    std::memcpy(&cbSize, record.get(), sizeof cbSize);
    EXPECT_EQ(cbSize, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A));
    EXPECT_EQ(driver.Opens(), 3);  // "later" is never looked at

    // The probe: a get of property 1 with a 12-byte buffer.
    const auto& probe = driver.Requests().back();
    EXPECT_EQ(probe.Header().id, kPropertyProbe);
    EXPECT_EQ(probe.Header().flags, kRequestGet);
    EXPECT_EQ(probe.dataSize, kProbeSize);
    EXPECT_EQ(g_traces.front(), "start to enum");

    // A filled slot is kept without a new search.
    EXPECT_TRUE(FindDriver(kEffectsPropertySet, record));
    EXPECT_EQ(driver.Opens(), 3);
}

TEST_F(TransportTest, SearchExaminesAtMostSixteenDevices) {
    std::vector<SimulatedDriver::Port> ports;
    for (int i = 0; i < 20; ++i) ports.push_back(Silent("port" + std::to_string(i)));
    ports.push_back(Effects("too far"));
    driver.SetPorts(ports);

    EXPECT_FALSE(FindDriver(kEffectsPropertySet, record));
    EXPECT_FALSE(record);
    EXPECT_EQ(driver.DetailQueries(), 16);
    EXPECT_EQ(driver.Opens(), 16);
}

TEST_F(TransportTest, SearchEndsOnRefusedListOrNoMoreItems) {
    driver.RefuseEnumeration(true);
    EXPECT_FALSE(FindDriver(kEffectsPropertySet, record));

    driver.RefuseEnumeration(false);
    SimulatedDriver::Port gone = Silent("gone");
    gone.opens = false;
    gone.openError = ERROR_NO_MORE_ITEMS;
    driver.SetPorts({gone, Effects("effects")});
    EXPECT_FALSE(FindDriver(kEffectsPropertySet, record));
    EXPECT_EQ(driver.Opens(), 1);

    driver.RemoveAll();
    EXPECT_FALSE(FindDriver(kEffectsPropertySet, record));
}

TEST_F(TransportTest, PathMustBeTerminatedInsideTheRecord) {
    const unsigned char open[] = {8, 0, 0, 0, 'a', 'b'};
    const unsigned char closed[] = {8, 0, 0, 0, 'a', 0};
    EXPECT_EQ(PathOfRecord(open, sizeof open), nullptr);
    EXPECT_EQ(PathOfRecord(closed, 4), nullptr);
    EXPECT_STREQ(PathOfRecord(closed, sizeof closed), "a");
}

TEST_F(TransportTest, RequestCarriesSetIdFlagsAndCallerBuffer) {
    EffectsHandle handle = HandleFor(kKindEffects);
    PropertyItem item{3, 196608};
    ASSERT_TRUE(PropertyWrite(handle, kPropertyMicrophone, &item, sizeof item));
    PropertyItem select{kReadSelection | 3, 0};
    ASSERT_TRUE(PropertyWrite(handle, kPropertyMicrophone, &select, sizeof select));
    ASSERT_TRUE(PropertyRead(handle, kPropertyMicrophone, &select, sizeof select));
    EXPECT_EQ(select.value, 196608);

    ASSERT_EQ(driver.Requests().size(), 3u);
    const unsigned char expectedSet[16] = {0x50, 0x4B, 0x61, 0xFD, 0x24, 0xFE, 0x71, 0x49,
                                           0xB8, 0xF4, 0xA1, 0xDE, 0x1B, 0xB0, 0x0B, 0xA1};
    for (const auto& request : driver.Requests()) {
        EXPECT_EQ(request.code, 0x2F0003u);
        ASSERT_EQ(request.input.size(), 24u);
        EXPECT_EQ(std::memcmp(request.input.data(), expectedSet, 16), 0);
        EXPECT_EQ(request.input[16], 24);  // property id, little-endian
        EXPECT_EQ(request.dataSize, 8u);
        EXPECT_EQ(request.path, SimulatedDriver::kEffectsPath);
    }
    EXPECT_EQ(driver.Requests()[0].input[20], kRequestSet);
    EXPECT_EQ(driver.Requests()[2].input[20], kRequestGet);
    const unsigned char sentItem[8] = {3, 0, 0, 0, 0, 0, 3, 0};
    EXPECT_EQ(std::memcmp(driver.Requests()[0].data.data(), sentItem, 8), 0);
}

TEST_F(TransportTest, KindPicksThePropertySet) {
    PropertyItem item{0, 1};
    EffectsHandle alias = HandleFor(kKindEffectsAlias);
    EXPECT_TRUE(PropertyWrite(alias, kPropertyKaraoke, &item, sizeof item));

    EffectsHandle vendor = HandleFor(kKindVendorSet);
    EXPECT_FALSE(PropertyWrite(vendor, kPropertyKaraoke, &item, sizeof item));
    ASSERT_EQ(driver.Requests().size(), 1u);
    EXPECT_TRUE(IsEqualGUID(driver.Requests()[0].Header().set, kVendorPropertySet));

    EffectsHandle unknown = HandleFor(0x802);
    const int opens = driver.Opens();
    EXPECT_FALSE(PropertyWrite(unknown, kPropertyKaraoke, &item, sizeof item));
    EXPECT_FALSE(PropertyRead(unknown, kPropertyKaraoke, &item, sizeof item));
    EXPECT_TRUE(driver.Requests().empty());
    EXPECT_EQ(driver.Opens(), opens);  // the device is not even opened
}

TEST_F(TransportTest, FailuresTraceTheirFixedTexts) {
    EffectsHandle handle = HandleFor(kKindEffects);
    PropertyItem item{11, 0};
    g_traces.clear();
    EXPECT_FALSE(PropertyWrite(handle, kPropertyEqualiser, &item, sizeof item));
    EXPECT_FALSE(PropertyRead(handle, kPropertyEqualiser, &item, sizeof item));
    driver.Unplug();
    EXPECT_FALSE(PropertyWrite(handle, kPropertyEqualiser, &item, sizeof item));
    EXPECT_FALSE(PropertyRead(handle, kPropertyEqualiser, &item, sizeof item));
    const std::string path = std::string("TaviAudioPropertySet|") + SimulatedDriver::kEffectsPath;
    EXPECT_THAT(g_traces, ElementsAre(path, "TaviAudioPropertySet: DeviceIoControl: ",
                                      "TaviAudioPropertyGet: DeviceIoControl: ", path,
                                      "TaviAudioPropertySet: CreateFile: ",
                                      "TaviAudioPropertyGet: CreateFile: "));
}

}  // namespace
}  // namespace sonorel
