#include "platform/win32/hid_win.h"

#include "platform/win32/win_util.h"

#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}
#include <hidpi.h>

#include <cstring>
#include <limits>
#include <vector>

namespace platform::win32 {

namespace {

HANDLE toHandle(HidHandle h) { return reinterpret_cast<HANDLE>(h); }

ULONG reportLength(std::size_t length)
{
    return length > std::numeric_limits<ULONG>::max() ? std::numeric_limits<ULONG>::max()
                                                       : static_cast<ULONG>(length);
}

GUID hidClassGuid()
{
    GUID guid;
    HidD_GetHidGuid(&guid);
    return guid;
}

// The parsed report descriptor, freed when it goes out of scope.
class PreparsedData {
public:
    explicit PreparsedData(HANDLE device)
    {
        if (!HidD_GetPreparsedData(device, &data_))
            data_ = nullptr;
    }
    ~PreparsedData()
    {
        if (data_)
            HidD_FreePreparsedData(data_);
    }
    PreparsedData(const PreparsedData&) = delete;
    PreparsedData& operator=(const PreparsedData&) = delete;
    PHIDP_PREPARSED_DATA get() const { return data_; }

private:
    PHIDP_PREPARSED_DATA data_ = nullptr;
};

} // namespace

Win32Hid::~Win32Hid()
{
    endEnumeration();
}

void Win32Hid::beginEnumeration()
{
    endEnumeration();
    GUID guid = hidClassGuid();
    HDEVINFO set = SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    // On failure every interfaceAt answers "no interface", as the enumeration calls would.
    deviceInfoSet_ = set == INVALID_HANDLE_VALUE ? nullptr : set;
}

std::optional<Text> Win32Hid::interfaceAt(int index)
{
    if (!deviceInfoSet_ || index < 0)
        return std::nullopt;
    HDEVINFO set = deviceInfoSet_;
    GUID guid = hidClassGuid();
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &guid, static_cast<DWORD>(index), &interfaceData))
        return std::nullopt;

    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        return std::nullopt;
    // DWORD elements keep the structure aligned.
    std::vector<DWORD> storage((required + sizeof(DWORD) - 1) / sizeof(DWORD) + 1, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    // The size of the fixed part only (8 on 64-bit Windows, 6 on 32-bit), not of the buffer.
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, required, nullptr, nullptr))
        return std::nullopt;
    return fromWide(detail->DevicePath);
}

void Win32Hid::endEnumeration()
{
    if (deviceInfoSet_)
        SetupDiDestroyDeviceInfoList(static_cast<HDEVINFO>(deviceInfoSet_));
    deviceInfoSet_ = nullptr;
}

HidHandle Win32Hid::open(const Text& path, HidAccess access)
{
    // Access 0 still allows attribute and capability queries (and feature
    // reports) on collections that Windows keeps for itself.
    DWORD rights = access == HidAccess::Read ? GENERIC_READ : access == HidAccess::Write ? GENERIC_WRITE : 0;
    // Input reads are overlapped so that a reader waiting for a report can be
    // let go (cancelRead) without closing the handle under it.
    DWORD flags = access == HidAccess::Read ? FILE_FLAG_OVERLAPPED : 0;
    HANDLE h = CreateFileW(wide(path).c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           flags, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    return reinterpret_cast<HidHandle>(h);
}

void Win32Hid::close(HidHandle handle)
{
    if (handle)
        CloseHandle(toHandle(handle));
}

bool Win32Hid::attributes(HidHandle handle, HidAttributes& out)
{
    if (!handle)
        return false;
    HIDD_ATTRIBUTES a{};
    a.Size = sizeof a;
    if (!HidD_GetAttributes(toHandle(handle), &a))
        return false;
    out.vendorId = a.VendorID;
    out.productId = a.ProductID;
    out.versionNumber = a.VersionNumber;
    return true;
}

bool Win32Hid::productString(HidHandle handle, char16_t* buffer, std::size_t bufferBytes)
{
    if (!buffer || bufferBytes == 0)
        return false;
    std::memset(buffer, 0, bufferBytes);
    if (!handle)
        return false;
    return HidD_GetProductString(toHandle(handle), buffer, reportLength(bufferBytes)) != FALSE;
}

bool Win32Hid::capabilities(HidHandle handle, HidCaps& out)
{
    if (!handle)
        return false;
    PreparsedData preparsed(toHandle(handle));
    if (!preparsed.get())
        return false;
    HIDP_CAPS caps{};
    if (HidP_GetCaps(preparsed.get(), &caps) != HIDP_STATUS_SUCCESS)
        return false;
    out.usage = caps.Usage;
    out.usagePage = caps.UsagePage;
    out.inputReportByteLength = caps.InputReportByteLength;
    out.outputReportByteLength = caps.OutputReportByteLength;
    out.featureReportByteLength = caps.FeatureReportByteLength;
    return true;
}

bool Win32Hid::setFeature(HidHandle handle, const std::uint8_t* report, std::size_t length)
{
    if (!handle || !report)
        return false;
    // HidD_SetFeature takes a non-const buffer; give it a copy rather than
    // cast away the caller's const.
    std::vector<std::uint8_t> copy(report, report + length);
    return HidD_SetFeature(toHandle(handle), copy.data(), reportLength(length)) != FALSE;
}

bool Win32Hid::getFeature(HidHandle handle, std::uint8_t* report, std::size_t length)
{
    if (!handle || !report)
        return false;
    return HidD_GetFeature(toHandle(handle), report, reportLength(length)) != FALSE;
}

int Win32Hid::readInput(HidHandle handle, std::uint8_t* report, std::size_t length)
{
    if (!handle || !report)
        return -1;
    UniqueHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done)
        return -1;
    OVERLAPPED overlapped{};
    overlapped.hEvent = done.get();
    HANDLE h = toHandle(handle);
    if (!ReadFile(h, report, static_cast<DWORD>(reportLength(length)), nullptr, &overlapped) &&
        GetLastError() != ERROR_IO_PENDING)
        return -1;
    // Ends with the report, or with ERROR_OPERATION_ABORTED after cancelRead.
    DWORD got = 0;
    if (!GetOverlappedResult(h, &overlapped, &got, TRUE))
        return -1;
    return static_cast<int>(got);
}

void Win32Hid::cancelRead(HidHandle handle)
{
    if (handle)
        CancelIoEx(toHandle(handle), nullptr);
}

} // namespace platform::win32
