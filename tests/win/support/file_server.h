// A file server of the tests' own (tools/fileserver) serving a folder as \\NAME\share: mounted
// on the Unix side, linked into the prefix, and unmounted on every path, the test's failure
// included (and by the run's clean-up when a test process dies).
#pragma once

#include <string>

class FileServer {
public:
    FileServer(const std::string& name, const std::string& folder);
    ~FileServer();
    FileServer(const FileServer&) = delete;
    FileServer& operator=(const FileServer&) = delete;

    // Why file servers cannot be had here; empty when they can.
    static std::string Unavailable();

    bool Serving() const { return m_bServing; }
    std::string Share() const { return "\\\\" + m_name + "\\share"; }

    // Every later operation waits ms first; a dead server answers none until it is alive again.
    void Control(int delayMs, bool dead);

private:
    std::string m_name, m_mount, m_link;
    bool m_bServing = false;
};
