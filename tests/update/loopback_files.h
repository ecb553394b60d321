// A loopback HTTP server with one route per way a download can go: whole, without a size,
// an error page, cut off, empty, redirected, or trickling until the client stops.
#pragma once

#include <httplib.h>

#include <atomic>
#include <string>
#include <thread>

namespace velmora::testing {

class LoopbackFiles {
public:
    static constexpr int CutOffAfter = 3000;

    explicit LoopbackFiles(std::string file_bytes)
        : m_file(std::move(file_bytes))
    {
        m_server.Get("/file", [this](httplib::Request const&, httplib::Response& response) {
            response.set_content(m_file, "application/octet-stream");
        });
        m_server.Get("/unsized", [this](httplib::Request const&, httplib::Response& response) {
            response.set_chunked_content_provider(
                "application/octet-stream", [this](size_t offset, httplib::DataSink& sink) {
                    sink.write(m_file.data(), m_file.size());
                    sink.done();
                    return true;
                });
        });
        m_server.Get("/missing", [](httplib::Request const&, httplib::Response& response) {
            response.status = 404;
            response.set_content("<html>no such file</html>", "text/html");
        });
        m_server.Get("/cut", [this](httplib::Request const&, httplib::Response& response) {
            response.set_content_provider(m_file.size(), "application/octet-stream",
                [this](size_t offset, size_t, httplib::DataSink& sink) {
                    if (offset >= static_cast<size_t>(CutOffAfter))
                        return false; // the connection drops
                    sink.write(m_file.data(), CutOffAfter);
                    return true;
                });
        });
        m_server.Get("/empty", [](httplib::Request const&, httplib::Response& response) {
            response.set_content("", "application/octet-stream");
        });
        m_server.Get("/moved",
            [](httplib::Request const&, httplib::Response& response) { response.set_redirect("/file"); });
        m_server.Get("/trickle", [this](httplib::Request const&, httplib::Response& response) {
            response.set_chunked_content_provider(
                "application/octet-stream", [this](size_t, httplib::DataSink& sink) {
                    if (m_closing)
                        return false;
                    sink.write("x", 1);
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                    return true;
                });
        });
        m_server.Get("/silent", [this](httplib::Request const&, httplib::Response& response) {
            while (!m_closing)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // A server stopped before its loop runs would go on listening: wait for the loop.
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ~LoopbackFiles()
    {
        m_closing = true;
        m_server.stop();
        m_thread.join();
    }

    std::string Address(std::string_view path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
    }
    std::string const& FileBytes() const { return m_file; }

private:
    std::string m_file;
    httplib::Server m_server;
    int m_port {0};
    std::atomic<bool> m_closing {false};
    std::thread m_thread;
};

}
