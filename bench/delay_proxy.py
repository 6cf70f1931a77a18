#!/usr/bin/env python3
"""A TCP relay that holds every chunk for a while in each direction, so that a server on
this machine answers as one across a network would.

    delay_proxy.py LISTEN_PORT TARGET_PORT DELAY_MS

Listens on 127.0.0.1:LISTEN_PORT and relays to 127.0.0.1:TARGET_PORT; each direction adds
DELAY_MS / 2, so a request and its answer take DELAY_MS more. Runs until killed.
"""
import asyncio
import sys


async def pump(reader, writer, delay):
    try:
        while True:
            chunk = await reader.read(65536)
            if not chunk:
                break
            await asyncio.sleep(delay)
            writer.write(chunk)
            await writer.drain()
    except (ConnectionError, asyncio.CancelledError):
        pass
    finally:
        writer.close()


async def main():
    listen_port, target_port, delay_ms = int(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3])
    half = delay_ms / 2000.0

    async def relay(client_reader, client_writer):
        try:
            server_reader, server_writer = await asyncio.open_connection("127.0.0.1", target_port)
        except OSError:
            client_writer.close()
            return
        await asyncio.gather(pump(client_reader, server_writer, half), pump(server_reader, client_writer, half))

    server = await asyncio.start_server(relay, "127.0.0.1", listen_port)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    asyncio.run(main())
