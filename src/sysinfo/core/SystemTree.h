#pragma once
// The system information tree: what the panel and `veskor sysinfo` show of the collected facts,
// the processor and the machine's network name and addresses.

#include "platform/Processor.h"
#include "platform/SystemFacts.h"
#include "sysinfo/core/CpuInfo.h"
#include "sysinfo/core/SystemInfo.h"

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace veskor {

struct SystemTreeNode {
    std::string text;
    std::vector<SystemTreeNode> children;

    bool operator==(const SystemTreeNode&) const = default;
};
using SystemTree = std::vector<SystemTreeNode>; // the root nodes

// "Yes" or "No".
std::string yesNoText(bool flag);

// The host name; throws Error "Winsock.GetHostName failed" when it cannot be read.
std::string localHostName(ISystemFacts& facts);

// The machine's IPv4 addresses, in the system's order, of the interfaces that are up, loopback
// left out; asks for the host name first, with its error.
std::vector<std::string> localIpList(ISystemFacts& facts);

// Empties tree and fills it with the processors, memory, video, monitor, printer, sound,
// operating system and machine nodes. The host name and the addresses are asked for last; when
// either throws, the nodes added so far stay and the error goes on.
void fillSystemTree(SystemTree& tree, const SystemInfo& info, const CpuInfo& cpu,
                    const std::function<std::string()>& hostName,
                    const std::function<std::vector<std::string>()>& ipList,
                    std::string_view thousandsSeparator);

// One line per node, two spaces of indent per level.
std::string systemTreeText(const SystemTree& tree);

// `veskor sysinfo`: collects, measures the processor's speed and prints the tree; an error
// goes to err after the nodes made so far. Returns the exit status.
int runSystemInfoCommand(ISystemFacts& facts, IScreenFacts& screen, IProcessor& processor,
                         std::string_view thousandsSeparator, std::ostream& out, std::ostream& err);

} // namespace veskor
