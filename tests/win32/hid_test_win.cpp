// The real Win32 HID backend. Machines running these tests (Wine in CI) have
// no supported mouse; what matters is that every call fails cleanly.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/win32/hid_win.h"

#include <cstdio>
#include <cwchar>

using platform::HidAccess;
using platform::win32::Win32Hid;

TEST(Win32Hid, EnumerationOfAllHundredIndexesNeverCrashes)
{
    Win32Hid hid;
    EXPECT_FALSE(hid.interfaceAt(0).has_value()) << "no enumeration open yet";
    hid.beginEnumeration();
    int found = 0;
    for (int index = 0; index < 100; ++index) {
        auto path = hid.interfaceAt(index);
        if (!path)
            continue;
        ++found;
        EXPECT_FALSE(path->empty());
        // Query access, as discovery opens every interface.
        platform::HidHandle h = hid.open(*path, HidAccess::None);
        if (h) {
            platform::HidAttributes a;
            platform::HidCaps caps;
            bool haveAttributes = hid.attributes(h, a);
            bool haveCaps = hid.capabilities(h, caps);
            std::printf("  %04X:%04X %s usage page %04X usage %04X, feature length %u\n", a.vendorId,
                        a.productId, haveAttributes ? "" : "(no attributes)", caps.usagePage, caps.usage,
                        haveCaps ? caps.featureReportByteLength : 0u);
            hid.close(h);
        }
    }
    EXPECT_FALSE(hid.interfaceAt(-1).has_value());
    hid.beginEnumeration(); // again without ending: the old list is released
    hid.endEnumeration();
    hid.endEnumeration();
    EXPECT_FALSE(hid.interfaceAt(0).has_value()) << "the list is gone";
    std::printf("HID interfaces present: %d\n", found);
}

TEST(Win32Hid, CallsOnHandlesThatAreNotOpenFail)
{
    Win32Hid hid;
    EXPECT_EQ(hid.open(u"\\\\?\\hid#vid_30fa&pid_1540#no_such_device", HidAccess::Write), 0u);
    EXPECT_EQ(hid.open(u"", HidAccess::None), 0u);

    std::uint8_t report[65] = {7, 0x20};
    platform::HidAttributes a;
    platform::HidCaps caps;
    char16_t product[50];
    product[0] = u'x';
    EXPECT_FALSE(hid.setFeature(0, report, sizeof report));
    EXPECT_FALSE(hid.getFeature(0, report, sizeof report));
    EXPECT_EQ(hid.readInput(0, report, sizeof report), -1);
    EXPECT_FALSE(hid.attributes(0, a));
    EXPECT_FALSE(hid.capabilities(0, caps));
    EXPECT_FALSE(hid.productString(0, product, sizeof product));
    EXPECT_EQ(product[0], u'\0') << "the buffer is zeroed even when the call fails";
    hid.close(0);
}

TEST(Win32Hid, ReportCallsOnAFileHandleFailWithoutCrashing)
{
    // A handle that is open but is no HID device, as after a device swap.
    Win32Hid hid;
    platform::HidHandle h = hid.open(platform::os().process->executablePath(), HidAccess::Read);
    ASSERT_NE(h, 0u);
    std::uint8_t report[65] = {7};
    platform::HidCaps caps;
    platform::HidAttributes a;
    EXPECT_FALSE(hid.setFeature(h, report, sizeof report));
    EXPECT_FALSE(hid.getFeature(h, report, sizeof report));
    EXPECT_FALSE(hid.capabilities(h, caps));
    EXPECT_FALSE(hid.attributes(h, a));
    hid.close(h);
}

TEST(Win32Hid, ReadHandlesAreOverlappedAndACancelWithNoReadWaitingChangesNothing)
{
    // A file stands in for the read collection: its read completes at once,
    // through the overlapped path a report takes.
    Win32Hid hid;
    platform::HidHandle h = hid.open(platform::os().process->executablePath(), HidAccess::Read);
    ASSERT_NE(h, 0u);
    hid.cancelRead(h);
    std::uint8_t first[2] = {};
    ASSERT_EQ(hid.readInput(h, first, sizeof first), 2);
    EXPECT_EQ(first[0], 'M');
    EXPECT_EQ(first[1], 'Z');
    hid.cancelRead(0);
    hid.close(h);
}
