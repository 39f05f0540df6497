# The sum loop of bench/loop.skb: n rounds adding 2.
import sys


# In a function, as a Python programmer writes it: names are locals, the fastest kind.
def main():
    n = int(sys.argv[1])
    s = 0
    i = 0
    while i < n:
        i = i + 1
        s = s + 2
    print("Suma:", s)


main()
