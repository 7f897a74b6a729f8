// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// bench_fixed_server --port N --seconds S
//
// The yardstick for the service's HTTP engine: a minimal asynchronous
// Boost.Beast server on 127.0.0.1 that reads each request whole (body too)
// and answers the same 200 page, with one I/O thread as the service has.
// It stops by itself after S seconds. bench_server runs it under the same
// load as the service, in the same run, and reports the ratio.
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

class Session final : public std::enable_shared_from_this<Session>
{
public:
    explicit Session(tcp::socket socket)
        : m_stream(std::move(socket))
    {
    }

    void read()
    {
        m_request = {};
        http::async_read(
            m_stream, m_buffer, m_request, [self = shared_from_this()](beast::error_code ec, std::size_t) {
                if (!ec)
                    self->write();
            });
    }

private:
    void write()
    {
        m_response = { http::status::ok, m_request.version() };
        m_response.set(http::field::content_type, "text/html");
        m_response.body() = "<html><body>Thank you</body></html>\n";
        m_response.keep_alive(m_request.keep_alive());
        m_response.prepare_payload();
        http::async_write(
            m_stream, m_response, [self = shared_from_this()](beast::error_code ec, std::size_t) {
                if (ec)
                    return;
                if (!self->m_response.keep_alive()) {
                    beast::error_code ignored;
                    self->m_stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
                    return;
                }
                self->read();
            });
    }

    beast::tcp_stream m_stream;
    beast::flat_buffer m_buffer;
    http::request<http::string_body> m_request;
    http::response<http::string_body> m_response;
};

void accept(tcp::acceptor& acceptor)
{
    acceptor.async_accept([&acceptor](beast::error_code ec, tcp::socket socket) {
        if (!acceptor.is_open())
            return;
        if (!ec) {
            socket.set_option(tcp::no_delay(true), ec);
            std::make_shared<Session>(std::move(socket))->read();
        }
        accept(acceptor);
    });
}

} // namespace

int main(int argc, char** argv)
{
    int port = 0;
    int seconds = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--port") == 0)
            port = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::atoi(argv[i + 1]);
    }
    // Bounded: at most two minutes, on 127.0.0.1 only.
    if (port <= 0 || port > 65535 || seconds <= 0 || seconds > 120) {
        std::fprintf(stderr, "usage: bench_fixed_server --port N --seconds S (S at most 120)\n");
        return 2;
    }
    asio::io_context ioc(1);
    tcp::acceptor acceptor(ioc);
    const tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), static_cast<unsigned short>(port));
    beast::error_code ec;
    if (acceptor.open(endpoint.protocol(), ec) || acceptor.set_option(tcp::acceptor::reuse_address(true), ec)
        || acceptor.bind(endpoint, ec) || acceptor.listen(asio::socket_base::max_listen_connections, ec)) {
        std::fprintf(
            stderr, "bench_fixed_server: cannot listen on 127.0.0.1:%d: %s\n", port, ec.message().c_str());
        return 1;
    }
    accept(acceptor);
    asio::steady_timer stop(ioc, std::chrono::seconds(seconds));
    stop.async_wait([&ioc](beast::error_code) { ioc.stop(); });
    ioc.run();
    return 0;
}
