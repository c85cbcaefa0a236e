// The help viewer: shows a topic of a help file. A stand-in until the
// viewer of the user interface exists: it records each request and
// "opens" a help file that exists.
#pragma once
#include <string>
#include <vector>

namespace ytn1 {

struct HelpRequest {
  std::string file;
  std::string topic;
};

// True when the viewer shows the topic.
bool DisplayHelpTopic(const std::string& file, const std::string& topic);
std::vector<HelpRequest>& HelpRequests();

}  // namespace ytn1
