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

    // The device that token names, as FindDevice finds it among the names, or null.
    const Device* Find(const std::string& token) const;

    // Every device that token may name, best first, as FindDevices finds them.
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
