#!/usr/bin/env python3
"""A control-connection proxy that holds every reply of the FTP server back for a fixed time.

Clients connect to the proxy; it connects to the server and passes bytes both ways. What the
server sends reaches the client DELAY milliseconds after it arrived (order kept), so every
command costs at least one such delay, as over a long line. Data connections are not proxied:
the passive replies name the server's own address and port, so they go straight to it.

    vertraging.py --target-port P --delay-ms 30 --port-file F

The chosen listening port is written to F (atomically) once the proxy accepts connections.
"""

import argparse
import asyncio
import os
import signal
import sys


async def pass_on(reader, writer, delay):
    """Copies reader to writer; each chunk leaves `delay` seconds after it arrived."""
    loop = asyncio.get_running_loop()
    queue = asyncio.Queue()

    async def send():
        while True:
            item = await queue.get()
            if item is None:
                break
            due, data = item
            wait = due - loop.time()
            if wait > 0:
                await asyncio.sleep(wait)
            writer.write(data)
            await writer.drain()
        writer.close()

    sender = asyncio.ensure_future(send())
    try:
        while True:
            data = await reader.read(65536)
            if not data:
                break
            queue.put_nowait((loop.time() + delay, data))
    except (ConnectionError, OSError):
        pass
    queue.put_nowait(None)
    try:
        await sender
    except (ConnectionError, OSError):
        pass


async def handle(client_reader, client_writer, target_port, delay):
    try:
        server_reader, server_writer = await asyncio.open_connection("127.0.0.1", target_port)
    except OSError:
        client_writer.close()
        return
    await asyncio.gather(
        pass_on(client_reader, server_writer, 0.0),
        pass_on(server_reader, client_writer, delay),
    )


async def main(argv):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--target-port", type=int, required=True)
    p.add_argument("--delay-ms", type=float, default=30.0)
    p.add_argument("--port-file", required=True)
    args = p.parse_args(argv)
    delay = args.delay_ms / 1000.0
    server = await asyncio.start_server(
        lambda r, w: handle(r, w, args.target_port, delay), "127.0.0.1", 0)
    port = server.sockets[0].getsockname()[1]
    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write("%d\n" % port)
    os.replace(tmp, args.port_file)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    try:
        asyncio.run(main(sys.argv[1:]))
    except KeyboardInterrupt:
        pass
