#!/usr/bin/perl
# Reads a Clipper .ntx index with XBase::Index (libdbd-xbase-perl) and prints every entry
# in the order XBase::Index returns them, one per line: the key bytes as hex, a space, the
# record number.
#
# Usage: ntx_oracle.pl INDEX.ntx
#
# The keys are read as character keys (type "C"), compared by XBase::Index as byte strings.

use strict;
use warnings;

use XBase::Index;

@ARGV == 1 or die "usage: ntx_oracle.pl INDEX.ntx\n";
my $path = $ARGV[0];

# No "readonly" option: XBase::Base then never opens the file at all. Without it the file
# is opened for reading and writing, or for reading alone when that is refused; the
# oracle only reads.
my $index = XBase::Index->new($path, type => "C")
    or die "XBase::Index cannot open $path: " . XBase::Index->errstr() . "\n";
$index->prepare_select() or die "XBase::Index cannot start reading $path\n";

binmode STDOUT;
while (my ($key, $record) = $index->fetch()) {
    print unpack("H*", $key), " ", $record, "\n";
}
my $error = $index->errstr();
die "XBase::Index failed on $path: $error\n" if $error;
