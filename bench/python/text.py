# A text grown one letter at a time (bench/text.skb).
import sys


# In a function, as a Python programmer writes it: names are locals, the fastest kind.
def main():
    n = int(sys.argv[1])
    s = ""
    for i in range(n):
        s += "x"
    print("Długość:", len(s))


main()
