#include "sysex/rtmidi_service.hpp"

#include <RtMidi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iostream>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <utility>

#if defined(__LINUX_ALSA__)
#include <alsa/asoundlib.h>
#endif
#if defined(__UNIX_JACK__)
#include <jack/jack.h>
#endif

namespace patchlore {

namespace {

// RtMidi's JACK output passes a message through a ring buffer of 16384
// bytes that also holds its length (4 bytes) and keeps one byte free; a
// longer message is dropped without a word.
constexpr std::size_t kJackLargestMessage = 16379;
constexpr const char* kClientName = "Patchlore";

// What RtMidi reported during calls on one of its objects. Input errors may
// be reported from the MIDI system's own thread.
class Reports {
 public:
  static void Receive(RtMidiError::Type type, const std::string& text, void* self) {
    if (type == RtMidiError::DEBUG_WARNING) return;
    auto* reports = static_cast<Reports*>(self);
    const std::lock_guard lock(reports->mutex_);
    reports->texts_ += (reports->texts_.empty() ? "" : "; ") + Plain(text);
  }
  std::string take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(texts_, {});
  }
  // RtMidi's texts begin with the class and function that wrote them.
  static std::string Plain(const std::string& text) {
    const std::size_t scope = text.find("::");
    const std::size_t colon = text.find(": ");
    std::string plain = scope != std::string::npos && colon != std::string::npos && scope < colon
                            ? text.substr(colon + 2) : text;
    while (!plain.empty() && (plain.back() == '.' || plain.back() == '\n')) plain.pop_back();
    return plain;
  }

 private:
  std::mutex mutex_;
  std::string texts_;
};

// Runs a call on an RtMidi object; what it reported, or empty.
template <class Call>
std::string Reported(Reports& reports, Call&& call) {
  reports.take();
  try {
    call();
  } catch (const RtMidiError& error) {
    Reports::Receive(error.getType(), error.getMessage(), &reports);
  }
  return reports.take();
}

std::string LabelOf(RtMidi::Api api) {
  switch (api) {
    case RtMidi::LINUX_ALSA: return "ALSA";
    case RtMidi::UNIX_JACK: return "JACK";
    default: return RtMidi::getApiDisplayName(api);
  }
}

#if defined(__LINUX_ALSA__)
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}
#endif
#if defined(__UNIX_JACK__)
void QuietJack(const char*) {}
#endif

// The MIDI libraries write their own complaints to the terminal; the
// service reports what matters in its results instead.
void QuietenMidiLibraries() {
#if defined(__LINUX_ALSA__)
  snd_lib_error_set_handler(QuietAlsa);
#endif
#if defined(__UNIX_JACK__)
  jack_set_error_function(QuietJack);
  jack_set_info_function(QuietJack);
#endif
}

// RtMidi's constructors write to std::cerr what went wrong, before an error
// callback can be installed: a warning when a system cannot be reached (no
// JACK server running), an error when it is missing (no ALSA sequencer).
// This keeps the first line of it instead.
class CapturedCerr {
 public:
  explicit CapturedCerr(std::string& firstLine) : firstLine_(firstLine), old_(std::cerr.rdbuf(sink_.rdbuf())) {}
  ~CapturedCerr() {
    std::cerr.rdbuf(old_);
    std::istringstream lines(sink_.str());
    for (std::string line; firstLine_.empty() && std::getline(lines, line);) firstLine_ = line;
  }

 private:
  std::string& firstLine_;
  std::ostringstream sink_;
  std::streambuf* old_;
};

// One MIDI system: an RtMidi input and output object while it can be
// reached, or why it cannot.
struct MidiSystem {
  RtMidi::Api api = RtMidi::UNSPECIFIED;
  std::string label;
  std::unique_ptr<RtMidiIn> in;
  std::unique_ptr<RtMidiOut> out;
  Reports inReports;
  Reports outReports;
  std::string problem;  // why the last listing found it unreachable
};

struct Port {
  MidiSystem* system;
  unsigned number;
  std::string name;       // as listed, with the system's label when there are several
  std::string ownName;    // as the system names it
};

// JACK makes a new connection live at the start of a later cycle, and a
// message sent before then is lost; on a busy machine that can take long.
// Counts the connections of the port a Patchlore port is about to be
// connected to, then waits, up to two seconds, until the port has one more.
class JackConnectionWatch {
 public:
  JackConnectionWatch(const MidiSystem& system, const std::string& port);
  ~JackConnectionWatch();
  JackConnectionWatch(const JackConnectionWatch&) = delete;
  JackConnectionWatch& operator=(const JackConnectionWatch&) = delete;
  void waitForNewConnection() const;

 private:
  int connections() const;
#if defined(__UNIX_JACK__)
  jack_client_t* probe_ = nullptr;
  jack_port_t* port_ = nullptr;
#endif
  int before_ = 0;
};

#if defined(__UNIX_JACK__)
JackConnectionWatch::JackConnectionWatch(const MidiSystem& system, const std::string& port) {
  if (system.api != RtMidi::UNIX_JACK) return;
  probe_ = jack_client_open("Patchlore-watch", JackNoStartServer, nullptr);
  if (probe_) port_ = jack_port_by_name(probe_, port.c_str());
  before_ = connections();
}

JackConnectionWatch::~JackConnectionWatch() {
  if (probe_) jack_client_close(probe_);
}

int JackConnectionWatch::connections() const {
  if (!port_) return 0;
  const char** names = jack_port_get_all_connections(probe_, port_);
  int count = 0;
  for (const char** name = names; name && *name; ++name) ++count;
  if (names) jack_free(names);
  return count;
}

void JackConnectionWatch::waitForNewConnection() const {
  if (!port_) return;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (connections() <= before_ && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}
#else
JackConnectionWatch::JackConnectionWatch(const MidiSystem&, const std::string&) {}
JackConnectionWatch::~JackConnectionWatch() = default;
int JackConnectionWatch::connections() const { return 0; }
void JackConnectionWatch::waitForNewConnection() const {}
#endif

// Counts JACK's process cycles from a client of its own. RtMidi's JACK
// output hands what was sent to the graph in its next cycle, and when the
// port is closed right after, a message still on its way can be dropped; so
// before closing, the sender waits until cycles have passed in which it left
// and was read by the ports it is connected to.
class JackCycleClock {
 public:
  JackCycleClock();
  ~JackCycleClock();
  JackCycleClock(const JackCycleClock&) = delete;
  JackCycleClock& operator=(const JackCycleClock&) = delete;
  // Waits, up to five seconds, until `cycles` more cycles have begun.
  void waitCycles(std::uint64_t cycles) const;

 private:
#if defined(__UNIX_JACK__)
  static int Count(jack_nframes_t, void* self);
  jack_client_t* client_ = nullptr;
#endif
  std::atomic<std::uint64_t> cycles_{0};
};

#if defined(__UNIX_JACK__)
JackCycleClock::JackCycleClock() {
  client_ = jack_client_open("Patchlore-clock", JackNoStartServer, nullptr);
  if (!client_) return;
  if (jack_set_process_callback(client_, &JackCycleClock::Count, this) != 0 || jack_activate(client_) != 0) {
    jack_client_close(client_);
    client_ = nullptr;
  }
}

JackCycleClock::~JackCycleClock() {
  if (client_) jack_client_close(client_);
}

int JackCycleClock::Count(jack_nframes_t, void* self) {
  static_cast<JackCycleClock*>(self)->cycles_.fetch_add(1, std::memory_order_relaxed);
  return 0;
}

void JackCycleClock::waitCycles(std::uint64_t cycles) const {
  if (!client_) return;
  const std::uint64_t until = cycles_.load() + cycles;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (cycles_.load() < until && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}
#else
JackCycleClock::JackCycleClock() = default;
JackCycleClock::~JackCycleClock() = default;
void JackCycleClock::waitCycles(std::uint64_t) const {}
#endif

}  // namespace

struct RtMidiService::Impl {
  // Before the systems, whose input threads add to them, so they go after.
  std::mutex receivedMutex;
  std::vector<std::uint8_t> received;
  std::vector<std::unique_ptr<MidiSystem>> systems;
  MidiSystem* openOut = nullptr;
  MidiSystem* openIn = nullptr;
  std::unique_ptr<JackCycleClock> outClock;  // while a JACK output is open
  bool sentSinceOpen = false;

  Impl();
  bool reach(MidiSystem& system);
  std::vector<Port> list(bool inputs);
  static void OnInput(double, std::vector<unsigned char>* message, void* self);
};

RtMidiService::Impl::Impl() {
  QuietenMidiLibraries();
  std::vector<RtMidi::Api> compiled;
  RtMidi::getCompiledApi(compiled);
  for (const RtMidi::Api api : compiled) {
    if (api == RtMidi::RTMIDI_DUMMY) continue;
    systems.push_back(std::make_unique<MidiSystem>());
    systems.back()->api = api;
    systems.back()->label = LabelOf(api);
  }
}

// Makes the system's RtMidi objects unless it has them; false, with the
// problem, when the system cannot be reached now. Objects that could not
// reach their system are not kept: RtMidi's JACK output would take a new
// buffer on every later try and never free it.
bool RtMidiService::Impl::reach(MidiSystem& system) {
  if (system.in) return true;
  std::string problem;
  try {
    const CapturedCerr capture(problem);
    system.in = std::make_unique<RtMidiIn>(system.api, kClientName);
    system.out = std::make_unique<RtMidiOut>(system.api, kClientName);
  } catch (const RtMidiError& error) {
    problem = error.getMessage();
  }
  if (!problem.empty()) {
    system.in.reset();
    system.out.reset();
    system.problem = Reports::Plain(problem);
    return false;
  }
  system.in->setErrorCallback(&Reports::Receive, &system.inReports);
  system.out->setErrorCallback(&Reports::Receive, &system.outReports);
  system.in->ignoreTypes(false, true, true);  // keep SysEx; drop clock and active sensing
  system.in->setCallback(&Impl::OnInput, this);
  return true;
}

void RtMidiService::Impl::OnInput(double, std::vector<unsigned char>* message, void* self) {
  auto* impl = static_cast<Impl*>(self);
  const std::lock_guard lock(impl->receivedMutex);
  impl->received.insert(impl->received.end(), message->begin(), message->end());
}

std::vector<Port> RtMidiService::Impl::list(bool inputs) {
  std::vector<Port> ports;
  const bool labelled = systems.size() > 1;
  for (const auto& system : systems) {
    if (!reach(*system)) continue;
    RtMidi& object = inputs ? static_cast<RtMidi&>(*system->in) : *system->out;
    Reports& reports = inputs ? system->inReports : system->outReports;
    std::vector<Port> found;
    system->problem = Reported(reports, [&] {
      const unsigned count = object.getPortCount();
      for (unsigned n = 0; n < count; ++n) {
        const std::string name = object.getPortName(n);
        found.push_back({system.get(), n, labelled ? system->label + ": " + name : name, name});
      }
    });
    if (system->problem.empty()) ports.insert(ports.end(), found.begin(), found.end());
  }
  return ports;
}

RtMidiService::RtMidiService() : impl_(std::make_unique<Impl>()) {}

RtMidiService::~RtMidiService() {
  closeInput();
  closeOutput();
}

std::vector<std::string> RtMidiService::inputNames() {
  std::vector<std::string> names;
  for (const Port& port : impl_->list(true)) names.push_back(port.name);
  return names;
}

std::vector<std::string> RtMidiService::outputNames() {
  std::vector<std::string> names;
  for (const Port& port : impl_->list(false)) names.push_back(port.name);
  return names;
}

std::string RtMidiService::defaultOutputName() {
  const std::vector<Port> ports = impl_->list(false);
  return "Default output (" + (ports.empty() ? std::string("none") : ports.front().name) + ")";
}

std::string RtMidiService::unavailableReason() {
  if (impl_->systems.empty()) return "No MIDI system was built into this program";
  std::string problems;
  for (const auto& system : impl_->systems) {
    if (system->problem.empty()) return {};
    problems += (problems.empty() ? "" : "; ") + system->label + ": " + system->problem;
  }
  return "No MIDI system can be reached (" + problems + ")";
}

MidiResult RtMidiService::openOutput(int device) {
  closeOutput();
  const std::vector<Port> ports = impl_->list(false);
  if (ports.empty()) return MidiOutcome(MidiCode::NoDevice, unavailableReason());
  if (device < -1 || device >= std::ssize(ports)) return MidiOutcome(MidiCode::BadDevice);
  const Port& port = ports[static_cast<std::size_t>(std::max(device, 0))];
  MidiSystem& system = *port.system;
  const JackConnectionWatch watch(system, port.ownName);
  std::string problem = Reported(system.outReports, [&] { system.out->openPort(port.number, kClientName); });
  if (problem.empty() && !system.out->isPortOpen()) problem = "the port did not open";
  if (!problem.empty()) {
    system.out->closePort();
    return MidiOutcome(MidiCode::SystemError, problem);
  }
  impl_->openOut = &system;
  if (system.api == RtMidi::UNIX_JACK) impl_->outClock = std::make_unique<JackCycleClock>();
  impl_->sentSinceOpen = false;
  watch.waitForNewConnection();
  return MidiOutcome(MidiCode::Ok);
}

// RtMidi's JACK output waits, up to a second, until what was sent has left
// its ring buffer before the port goes, but not until the ports connected to
// it have read it: three more cycles make sure the last message arrived.
void RtMidiService::closeOutput() {
  if (!impl_->openOut) return;
  if (impl_->outClock && impl_->sentSinceOpen) impl_->outClock->waitCycles(3);
  impl_->outClock.reset();
  Reported(impl_->openOut->outReports, [&] { impl_->openOut->out->closePort(); });
  impl_->openOut = nullptr;
}

MidiResult RtMidiService::sendSysex(std::span<const std::uint8_t> message) {
  MidiSystem* system = impl_->openOut;
  if (!system || !system->out->isPortOpen()) return MidiOutcome(MidiCode::NotOpen);
  if (system->api == RtMidi::UNIX_JACK && message.size() > kJackLargestMessage)
    return MidiOutcome(MidiCode::TooLong, "JACK takes at most " + std::to_string(kJackLargestMessage) + " bytes");
  // RtMidi copies the bytes (ALSA encodes and drains them, JACK puts them in
  // its ring buffer) before it returns.
  const std::string problem =
      Reported(system->outReports, [&] { system->out->sendMessage(message.data(), message.size()); });
  impl_->sentSinceOpen = true;
  return problem.empty() ? MidiOutcome(MidiCode::Ok) : MidiOutcome(MidiCode::SystemError, problem);
}

MidiResult RtMidiService::openInput(int device) {
  closeInput();
  const std::vector<Port> ports = impl_->list(true);
  if (ports.empty()) return MidiOutcome(MidiCode::NoDevice, unavailableReason());
  if (device < 0 || device >= std::ssize(ports)) return MidiOutcome(MidiCode::BadDevice);
  const Port& port = ports[static_cast<std::size_t>(device)];
  MidiSystem& system = *port.system;
  takeInput();  // nothing from before belongs to this input
  const JackConnectionWatch watch(system, port.ownName);
  std::string problem = Reported(system.inReports, [&] { system.in->openPort(port.number, kClientName); });
  if (problem.empty() && !system.in->isPortOpen()) problem = "the port did not open";
  if (!problem.empty()) {
    system.in->closePort();
    return MidiOutcome(MidiCode::SystemError, problem);
  }
  impl_->openIn = &system;
  watch.waitForNewConnection();
  return MidiOutcome(MidiCode::Ok);
}

void RtMidiService::closeInput() {
  if (!impl_->openIn) return;
  Reported(impl_->openIn->inReports, [&] { impl_->openIn->in->closePort(); });
  impl_->openIn = nullptr;
}

std::vector<std::uint8_t> RtMidiService::takeInput() {
  const std::lock_guard lock(impl_->receivedMutex);
  return std::exchange(impl_->received, {});
}

}  // namespace patchlore
