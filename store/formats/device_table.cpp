#include "formats/device_table.h"

#include "site/profile_text.h"

namespace {

// What names a device whatever its spelling: ASCII case and a trailing ':' do not count
// ("c" and "C:" name one device).
std::string DeviceKey(const std::string& name)
{
    std::string key = !name.empty() && name.back() == ':' ? name.substr(0, name.size() - 1) : name;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return key;
}

}  // namespace

CDeviceTable::CDeviceTable(const std::vector<Device>& devices)
{
    for (const Device& d : devices) {
        if (d.name.empty() || !m_mapByKey.emplace(DeviceKey(d.name), m_vecDevices.size()).second)
            continue;
        if (d.name[0] >= '0' && d.name[0] <= '9')
            m_byDigit[static_cast<size_t>(d.name[0] - '0')].push_back(m_vecDevices.size());
        m_vecDevices.push_back(d);
    }
}

CDeviceTable CDeviceTable::FromLines(const std::vector<std::string>& lines)
{
    std::vector<Device> devices;
    Device d;
    for (const std::string& line : lines)
        if (SplitProfileLine(line, d.name, d.root))
            devices.push_back(d);
    return CDeviceTable(devices);
}

int CDeviceTable::LoneDigit(const std::string& token)
{
    const bool colon = token.size() == 2 && token[1] == ':';
    if ((token.size() == 1 || colon) && token[0] >= '0' && token[0] <= '9')
        return token[0] - '0';
    return -1;
}

const Device* CDeviceTable::Exact(const std::string& token) const
{
    const auto it = m_mapByKey.find(DeviceKey(token));
    return it == m_mapByKey.end() ? nullptr : &m_vecDevices[it->second];
}

const Device* CDeviceTable::Find(const std::string& token) const
{
    if (const Device* exact = Exact(token))
        return exact;
    const int digit = LoneDigit(token);
    if (digit < 0 || m_byDigit[static_cast<size_t>(digit)].empty())
        return nullptr;
    return &m_vecDevices[m_byDigit[static_cast<size_t>(digit)].front()];
}

std::vector<const Device*> CDeviceTable::Candidates(const std::string& token) const
{
    std::vector<const Device*> found;
    if (const Device* exact = Exact(token))
        found.push_back(exact);
    const int digit = LoneDigit(token);
    if (digit >= 0)
        for (size_t i : m_byDigit[static_cast<size_t>(digit)])
            if (found.empty() || found.front() != &m_vecDevices[i])
                found.push_back(&m_vecDevices[i]);
    return found;
}

bool CDeviceTable::IsAmbiguous(const std::string& token) const
{
    const int digit = LoneDigit(token);
    return digit >= 0 && m_byDigit[static_cast<size_t>(digit)].size() > 1;
}
