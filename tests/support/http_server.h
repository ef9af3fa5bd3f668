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
  // Waits this long after the request before sending anything (a server
  // that accepts and is slow, or never answers within a test).
  int delayMs = 0;
  // When > 0: the body goes out one byte every trickleMs milliseconds.
  int trickleMs = 0;
  // Answers 403 to a request that names no user agent, as some sites do.
  bool needsUserAgent = false;
  // The first this many requests of the path get an empty body.
  int emptyFirst = 0;
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
  // The paths requested so far, in order, and the heads of those requests.
  std::vector<std::string> requests();
  std::vector<std::string> requestHeads();
  // Waits (at most 20 s) until `path` has been requested; false if never.
  bool waitForRequest(const std::string& path);

 private:
  void serve();
  void answer(int client);
  bool holdOpen(int client, int ms);

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::map<std::string, HttpRoute> routes_;
  std::vector<std::string> requests_;
  std::vector<std::string> heads_;
  std::map<std::string, int> counts_;  // requests per path
  std::thread thread_;
};

// A TCP port on 127.0.0.1 on which nothing listens (connections are refused).
int refusedPort();

#endif
