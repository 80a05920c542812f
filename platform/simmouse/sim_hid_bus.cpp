#include "platform/simmouse/sim_hid_bus.h"

#include <algorithm>
#include <cstring>

namespace platform::sim {

void SimHidBus::plug(std::shared_ptr<SimDevice> device)
{
    std::lock_guard lock(mutex_);
    if (std::find(devices_.begin(), devices_.end(), device) == devices_.end())
        devices_.push_back(std::move(device));
}

void SimHidBus::unplug(const std::shared_ptr<SimDevice>& device)
{
    std::lock_guard lock(mutex_);
    devices_.erase(std::remove(devices_.begin(), devices_.end(), device), devices_.end());
    for (auto& [h, open] : handles_)
        if (open->device == device)
            open->gone = true;
    for (auto it = inputs_.begin(); it != inputs_.end();)
        it = it->first.first == device.get() ? inputs_.erase(it) : std::next(it);
    inputArrived_.notify_all();
}

bool SimHidBus::isPlugged(const std::shared_ptr<SimDevice>& device)
{
    std::lock_guard lock(mutex_);
    return std::find(devices_.begin(), devices_.end(), device) != devices_.end();
}

void SimHidBus::deliverInput(const SimDevice* device, int interfaceIndex, std::vector<std::uint8_t> report)
{
    std::lock_guard lock(mutex_);
    bool plugged = std::any_of(devices_.begin(), devices_.end(), [&](auto& d) { return d.get() == device; });
    if (!plugged)
        return;
    inputs_[{device, interfaceIndex}].push_back(std::move(report));
    inputArrived_.notify_all();
}

int SimHidBus::openHandleCount()
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(handles_.size());
}

void SimHidBus::beginEnumeration()
{
    std::lock_guard lock(mutex_);
    snapshot_.clear();
    for (auto& d : devices_)
        for (auto& i : d->interfaces())
            snapshot_.push_back(i.path);
}

std::optional<Text> SimHidBus::interfaceAt(int index)
{
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(snapshot_.size()))
        return std::nullopt;
    return snapshot_[index];
}

void SimHidBus::endEnumeration()
{
    std::lock_guard lock(mutex_);
    snapshot_.clear();
}

HidHandle SimHidBus::open(const Text& path, HidAccess access)
{
    std::lock_guard lock(mutex_);
    for (auto& d : devices_) {
        auto list = d->interfaces();
        for (size_t i = 0; i < list.size(); ++i) {
            if (!text::equalsIgnoreCase(list[i].path, path))
                continue;
            if (list[i].heldByOs && access != HidAccess::None)
                return 0;
            auto open = std::make_shared<OpenHandle>();
            open->device = d;
            open->interfaceIndex = static_cast<int>(i);
            open->info = list[i];
            open->access = access;
            HidHandle h = nextHandle_++;
            handles_[h] = open;
            return h;
        }
    }
    return 0;
}

void SimHidBus::close(HidHandle handle)
{
    std::lock_guard lock(mutex_);
    auto it = handles_.find(handle);
    if (it == handles_.end())
        return;
    it->second->gone = true;
    handles_.erase(it);
    inputArrived_.notify_all();
}

std::shared_ptr<SimHidBus::OpenHandle> SimHidBus::find(HidHandle handle)
{
    std::lock_guard lock(mutex_);
    auto it = handles_.find(handle);
    if (it == handles_.end() || it->second->gone)
        return nullptr;
    return it->second;
}

bool SimHidBus::attributes(HidHandle handle, HidAttributes& out)
{
    auto open = find(handle);
    if (!open)
        return false;
    out = open->info.attributes;
    return true;
}

bool SimHidBus::productString(HidHandle handle, char16_t* buffer, std::size_t bufferBytes)
{
    auto open = find(handle);
    if (!open || bufferBytes < 2)
        return false;
    size_t units = std::min(open->info.product.size(), bufferBytes / 2 - 1);
    std::memcpy(buffer, open->info.product.data(), units * 2);
    buffer[units] = 0;
    return true;
}

bool SimHidBus::capabilities(HidHandle handle, HidCaps& out)
{
    auto open = find(handle);
    if (!open || !open->info.hasPreparsedData)
        return false;
    out = open->info.caps;
    return true;
}

bool SimHidBus::setFeature(HidHandle handle, const std::uint8_t* report, std::size_t length)
{
    auto open = find(handle);
    size_t want = open ? open->info.caps.featureReportByteLength : 0;
    // As on Windows: a buffer shorter than the feature length fails, a longer one is cut.
    if (!open || want == 0 || length < want)
        return false;
    return open->device->onSetFeature(open->interfaceIndex, report, want);
}

bool SimHidBus::getFeature(HidHandle handle, std::uint8_t* report, std::size_t length)
{
    auto open = find(handle);
    size_t want = open ? open->info.caps.featureReportByteLength : 0;
    if (!open || want == 0 || length < want)
        return false;
    return open->device->onGetFeature(open->interfaceIndex, report, want);
}

int SimHidBus::readInput(HidHandle handle, std::uint8_t* report, std::size_t length)
{
    std::unique_lock lock(mutex_);
    auto it = handles_.find(handle);
    if (it == handles_.end() || it->second->gone || it->second->access != HidAccess::Read)
        return -1;
    auto open = it->second;
    auto key = std::make_pair(static_cast<const SimDevice*>(open->device.get()), open->interfaceIndex);
    const unsigned cancels = open->cancels;
    ++open->readsWaiting;
    inputArrived_.wait(lock, [&] { return open->gone || open->cancels != cancels || !inputs_[key].empty(); });
    --open->readsWaiting;
    if (open->gone || open->cancels != cancels)
        return -1;
    std::vector<std::uint8_t> r = std::move(inputs_[key].front());
    inputs_[key].pop_front();
    size_t n = std::min<size_t>(r.size(), length);
    std::memcpy(report, r.data(), n);
    return static_cast<int>(n);
}

void SimHidBus::cancelRead(HidHandle handle)
{
    std::lock_guard lock(mutex_);
    auto it = handles_.find(handle);
    // As CancelIoEx: nothing happens to a read that is not waiting yet.
    if (it == handles_.end() || it->second->readsWaiting == 0)
        return;
    ++it->second->cancels;
    inputArrived_.notify_all();
}

} // namespace platform::sim
