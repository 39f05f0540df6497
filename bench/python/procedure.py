# A procedure called n times in a loop (bench/procedure.skb).
import sys

s = 0
i = 0


def dodaj():
    global s
    s = s + i


n = int(sys.argv[1])
for i in range(1, n + 1):
    dodaj()
print("Suma:", s)
