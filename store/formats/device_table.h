// The devices that storage.ini lists, with an index, so that naming a device costs the same
// whether the store has five devices or five thousand. Portable: no windows.h, tested natively.
#pragma once

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

struct Device {
    std::string name;  // as listed: "C:", "1", "12"
    std::string root;  // the folder that holds userroot\storage
};

class CDeviceTable {
public:
    CDeviceTable() = default;
    // In listing order; a name said again (see DeviceKey) is still the first one's device.
    explicit CDeviceTable(const std::vector<Device>& devices);

    // The "name = root" lines of section [devices].
    static CDeviceTable FromLines(const std::vector<std::string>& lines);

    const std::vector<Device>& All() const { return m_vecDevices; }

    // The device that token names, or null. Case is ignored; a trailing ':' on either side is
    // ignored ("C" finds "C:", "1:" finds "1"); a lone digit that names no device exactly finds
    // the first numbered device that begins with it.
    const Device* Find(const std::string& token) const;

    // Every device that token may name, best first: the one Find finds, then, for a lone digit,
    // the other numbered devices that begin with it, in listing order.
    std::vector<const Device*> Candidates(const std::string& token) const;

    // True when token is a lone digit that more than one numbered device begins with.
    bool IsAmbiguous(const std::string& token) const;

private:
    const Device* Exact(const std::string& token) const;
    static int LoneDigit(const std::string& token);

    std::vector<Device> m_vecDevices;
    std::unordered_map<std::string, size_t> m_mapByKey;
    std::array<std::vector<size_t>, 10> m_byDigit;  // numbered devices by first digit, in order
};
