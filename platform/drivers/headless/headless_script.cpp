// Parser of the headless driver's input script (headless_script.h).
#include "platform/drivers/headless/headless_script.h"

#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include <algorithm>
#include <sstream>

#include "platform/drivers/key_names.h"

namespace {

struct ActionName {
  const char* name;
  ScriptAction action;
};

const ActionName kActions[] = {
    {"key", ScriptAction::Key},           {"keydown", ScriptAction::KeyDown},
    {"keyup", ScriptAction::KeyUp},       {"mousemove", ScriptAction::MouseMove},
    {"click", ScriptAction::Click},       {"press", ScriptAction::Press},
    {"release", ScriptAction::Release},   {"resize", ScriptAction::Resize},
    {"close", ScriptAction::Close},       {"minimize", ScriptAction::Minimize},       {"snapshot", ScriptAction::Snapshot},
    {"windowsnapshot", ScriptAction::WindowSnapshot},
    {"quit", ScriptAction::Quit},         {"type", ScriptAction::Type},
    {"command", ScriptAction::Command},   {"parentgone", ScriptAction::ParentGone},
    {"focus", ScriptAction::Focus},       {"select", ScriptAction::Select},
    {"stats", ScriptAction::Stats},       {"parentresize", ScriptAction::ParentResize},
    {"signal", ScriptAction::Signal},
};

struct SignalName {
  const char* name;
  int number;
};

const SignalName kSignalNames[] = {{"TERM", SIGTERM}, {"INT", SIGINT}, {"HUP", SIGHUP}};

bool parseNumber(const std::string& word, long long low, long long high, long long* out) {
  if (word.empty()) return false;
  char* end = nullptr;
  long long value = strtoll(word.c_str(), &end, 10);
  if (*end != '\0' || value < low || value > high) return false;
  *out = value;
  return true;
}

bool parseKeys(const std::string& combination, std::vector<UINT>* keys) {
  std::stringstream parts(combination);
  std::string name;
  while (std::getline(parts, name, '+')) {
    UINT vk = virtualKeyFromName(name.c_str());
    if (!vk) return false;
    keys->push_back(vk);
  }
  return !keys->empty();
}

bool parseButton(const std::string& word, MouseButton* button) {
  if (strcasecmp(word.c_str(), "left") == 0) *button = MouseButton::Left;
  else if (strcasecmp(word.c_str(), "right") == 0) *button = MouseButton::Right;
  else if (strcasecmp(word.c_str(), "middle") == 0) *button = MouseButton::Middle;
  else return false;
  return true;
}

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The arguments of one action, from the words after it and the raw rest of
// the line; the text of the complaint otherwise.
const char* parseArguments(const std::vector<std::string>& words, const std::string& rest,
                           ScriptEvent* event) {
  long long a = 0, b = 0;
  switch (event->action) {
    case ScriptAction::Key:
    case ScriptAction::KeyDown:
    case ScriptAction::KeyUp:
      if (words.size() != 1 || !parseKeys(words[0], &event->keys)) return "expected a key name";
      return nullptr;
    case ScriptAction::MouseMove:
      if (words.size() != 2 || !parseNumber(words[0], -32768, 32767, &a) ||
          !parseNumber(words[1], -32768, 32767, &b))
        return "expected X Y";
      break;
    case ScriptAction::Click:
    case ScriptAction::Press:
    case ScriptAction::Release:
      if (words.size() != 3 || !parseButton(words[0], &event->button) ||
          !parseNumber(words[1], -32768, 32767, &a) || !parseNumber(words[2], -32768, 32767, &b))
        return "expected left|right|middle X Y";
      break;
    case ScriptAction::Resize:
      if (words.size() != 2 || !parseNumber(words[0], 0, 16384, &a) ||
          !parseNumber(words[1], 0, 16384, &b))
        return "expected WIDTH HEIGHT";
      break;
    case ScriptAction::Snapshot:
    case ScriptAction::WindowSnapshot:
    case ScriptAction::Stats:
    case ScriptAction::Type:
      event->text = rest;
      if (event->text.empty()) return "expected a text";
      return nullptr;
    case ScriptAction::Command:
    case ScriptAction::Focus:
      if (words.size() != 1 || !parseNumber(words[0], -1, 65535, &a)) return "expected a control id";
      event->id = int(a);
      return nullptr;
    case ScriptAction::Select:
      if (words.size() != 2 || !parseNumber(words[0], -1, 65535, &a) ||
          !parseNumber(words[1], 0, 0x7FFFFFFF, &b))
        return "expected a control id and an entry index";
      event->id = int(a);
      event->index = int(b);
      return nullptr;
    case ScriptAction::ParentGone:
      if (words.size() != 1 || !parseNumber(words[0], 1, 0x1FFFFFFF, &a))
        return "expected a foreign window number";
      event->id = int(a);
      return nullptr;
    case ScriptAction::ParentResize: {
      long long number = 0;
      if (words.size() != 3 || !parseNumber(words[0], 1, 0x1FFFFFFF, &number) ||
          !parseNumber(words[1], 1, 16384, &a) || !parseNumber(words[2], 1, 16384, &b))
        return "expected a foreign window number, WIDTH and HEIGHT";
      event->id = int(number);
      break;
    }
    case ScriptAction::Signal:
      for (const SignalName& known : kSignalNames)
        if (words.size() == 1 && strcasecmp(words[0].c_str(), known.name) == 0) event->id = known.number;
      if (!event->id) return "expected TERM, INT or HUP";
      return nullptr;
    case ScriptAction::Close:
    case ScriptAction::Minimize:
    case ScriptAction::Quit:
      if (!words.empty()) return "expected nothing after the action";
      return nullptr;
  }
  event->x = int(a);
  event->y = int(b);
  return nullptr;
}

}  // namespace

bool parseScript(const std::string& content, std::vector<ScriptEvent>* events, std::string* error) {
  std::stringstream lines(content);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    std::string text = trimmed(line);
    if (text.empty() || text[0] == '#') continue;
    std::stringstream in(text);
    std::string at, time, action;
    in >> at >> time >> action;
    long long ms = 0;
    ScriptEvent event;
    event.line = number;
    const ActionName* known = nullptr;
    for (const ActionName& a : kActions)
      if (action == a.name) known = &a;
    const char* complaint = nullptr;
    if (at != "at" || !parseNumber(time, 0, 0x7FFFFFFFFFFFLL, &ms)) {
      complaint = "expected \"at MS ACTION\"";
    } else if (!known) {
      complaint = "unknown action";
    } else {
      event.at = uint64_t(ms);
      event.action = known->action;
      std::string rest;
      std::getline(in, rest);
      rest = trimmed(rest);
      std::vector<std::string> words;
      std::stringstream restWords(rest);
      for (std::string word; restWords >> word;) words.push_back(word);
      complaint = parseArguments(words, rest, &event);
    }
    if (complaint) {
      *error = "line " + std::to_string(number) + ": " + complaint + ": " + text;
      return false;
    }
    events->push_back(event);
  }
  std::stable_sort(events->begin(), events->end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.at < b.at; });
  return true;
}
