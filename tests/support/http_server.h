// A small HTTP/1.0 server for tests, on 127.0.0.1 and a port the system
// chooses, served by one thread of the test process. Each path answers with
// a fixed status line, headers and body; a route can also send only part of
// its body and then stall, to test time-outs. Requests are served one at a
// time and the server stops when the object is destroyed.
#ifndef QUILLON_TESTS_SUPPORT_HTTP_SERVER_H
#define QUILLON_TESTS_SUPPORT_HTTP_SERVER_H

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpRoute {
  std::string status = "200 OK";
  std::string headers;  // extra header lines, each ending in "\r\n"
  std::string body;
  // When >= 0: send only this many bytes of the body, then keep the
  // connection open without sending anything for stallMs milliseconds.
  long stallAfter = -1;
  int stallMs = 0;
};

class HttpServer {
 public:
  HttpServer();
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  void route(const std::string& path, const HttpRoute& route);
  int port() const { return port_; }
  // "http://127.0.0.1:PORT" + path
  std::string url(const std::string& path) const;
  // The paths requested so far, in order.
  std::vector<std::string> requests();
  // Waits (at most 20 s) until `path` has been requested; false if never.
  bool waitForRequest(const std::string& path);

 private:
  void serve();
  void answer(int client);

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::map<std::string, HttpRoute> routes_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A TCP port on 127.0.0.1 on which nothing listens (connections are refused).
int refusedPort();

#endif
