"""What a test script does when a peer it needs (a server, a tool) cannot
start: on a developer's machine it is skipped and says why; where
TESSERA_REQUIRE_PEERS=1 is set (CI sets it), it fails with that reason."""
import os

SKIP = 77  # CTest's SKIP_RETURN_CODE of the Python tests


def peers_required():
    """True when TESSERA_REQUIRE_PEERS=1: a peer that cannot start is a failure."""
    return os.environ.get("TESSERA_REQUIRE_PEERS") == "1"


def unavailable(reason):
    """Prints the reason and returns the exit status: 1 when peers are
    required, SKIP otherwise."""
    if peers_required():
        print(f"a required peer is not available: {reason}")
        return 1
    print(f"skipped: {reason}")
    return SKIP
