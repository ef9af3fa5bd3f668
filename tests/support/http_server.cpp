// The test HTTP server: a listening socket on loopback and one thread that
// answers each connection from the route table.
#include "tests/support/http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <ctype.h>
#include <poll.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace {

int listenOnLoopback(int* port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    close(fd);
    return -1;
  }
  socklen_t len = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  *port = ntohs(addr.sin_port);
  return fd;
}

bool sendAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Whether the request head has a header of that name (lower case, with its
// colon), in any case.
bool hasHeader(const std::string& head, const char* name) {
  std::string lower = head;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(tolower(c)); });
  return lower.find(std::string("\r\n") + name) != std::string::npos;
}

}  // namespace

HttpServer::HttpServer() {
  listener_ = listenOnLoopback(&port_);
  if (listener_ >= 0) listen(listener_, 16);
  thread_ = std::thread([this] { serve(); });
}

HttpServer::~HttpServer() {
  stopping_ = true;
  if (listener_ >= 0) shutdown(listener_, SHUT_RDWR);
  thread_.join();
  if (listener_ >= 0) close(listener_);
}

void HttpServer::route(const std::string& path, const HttpRoute& route) {
  std::lock_guard<std::mutex> lock(mutex_);
  routes_[path] = route;
}

std::string HttpServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> HttpServer::requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::vector<std::string> HttpServer::requestHeads() {
  std::lock_guard<std::mutex> lock(mutex_);
  return heads_;
}

bool HttpServer::waitForRequest(const std::string& path) {
  for (int i = 0; i < 4000; i++) {
    std::vector<std::string> seen = requests();
    if (std::find(seen.begin(), seen.end(), path) != seen.end()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

void HttpServer::serve() {
  while (!stopping_) {
    pollfd p{listener_, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    answer(client);
    close(client);
  }
}

void HttpServer::answer(int client) {
  // Read the request head (bounded in size and time).
  std::string head;
  char buf[4096];
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    pollfd p{client, POLLIN, 0};
    if (std::chrono::steady_clock::now() > deadline || poll(&p, 1, 100) < 0) return;
    if (!(p.revents & POLLIN)) continue;
    ssize_t n = recv(client, buf, sizeof buf, 0);
    if (n <= 0) return;
    head.append(buf, static_cast<size_t>(n));
  }
  size_t sp1 = head.find(' ');
  size_t sp2 = sp1 == std::string::npos ? sp1 : head.find(' ', sp1 + 1);
  std::string path = sp2 == std::string::npos ? "/" : head.substr(sp1 + 1, sp2 - sp1 - 1);

  HttpRoute route;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(path);
    heads_.push_back(head);
    auto it = routes_.find(path);
    if (it != routes_.end()) {
      route = it->second;
      if (++counts_[path] <= route.emptyFirst) route.body.clear();
    } else {
      route.status = "404 Not Found";
      route.body = "no such page\n";
    }
  }

  if (route.needsUserAgent && !hasHeader(head, "user-agent:")) {
    route.status = "403 Forbidden";
    route.body = "Who are you?\n";
  }
  if (route.delayMs > 0 && !holdOpen(client, route.delayMs)) return;
  std::string reply = "HTTP/1.0 " + route.status + "\r\n" + route.headers +
                      "Content-Length: " + std::to_string(route.body.size()) +
                      "\r\nConnection: close\r\n\r\n";
  if (!sendAll(client, reply.data(), reply.size())) return;
  size_t bodyBytes = route.body.size();
  if (route.stallAfter >= 0 && static_cast<size_t>(route.stallAfter) < bodyBytes)
    bodyBytes = static_cast<size_t>(route.stallAfter);
  for (size_t sent = 0; route.trickleMs > 0 && sent < bodyBytes; sent++) {
    if (!sendAll(client, route.body.data() + sent, 1)) return;
    if (!holdOpen(client, route.trickleMs)) return;
  }
  if (route.trickleMs <= 0 && !sendAll(client, route.body.data(), bodyBytes)) return;
  if (route.stallAfter >= 0) holdOpen(client, route.stallMs);
}

bool HttpServer::holdOpen(int client, int ms) {
  // Sends nothing until the time is up, the peer gives up or the server
  // stops; true when the time was up.
  char buf[4096];
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < until) {
    if (stopping_) return false;
    pollfd p{client, POLLIN, 0};
    if (poll(&p, 1, 20) > 0) {
      ssize_t n = recv(client, buf, sizeof buf, 0);
      if (n <= 0) return false;
    }
  }
  return true;
}

int refusedPort() {
  // Bind a port, then close it without listening: nothing accepts there.
  int port = 0;
  int fd = listenOnLoopback(&port);
  if (fd >= 0) close(fd);
  return port;
}
